// frmMsgbox handlers: each button stores its answer and closes the dialog.
#include "reminder/editing/frm_msgbox.h"

namespace davrin::editing {

void FrmMsgbox::Form_Load() {
    view_.setCaption("Recurrance Delete");
    view_.setPrompt("Delete Recurrance of this Event ?");
    view_.setButtonTexts("Delete &One", "Delete &All", "Delete &None");
}

void FrmMsgbox::Command1_Click() {
    close(DeleteAnswer::One);
}
void FrmMsgbox::Command2_Click() {
    close(DeleteAnswer::All);
}
void FrmMsgbox::Command3_Click() {
    close(DeleteAnswer::None);
}

void FrmMsgbox::close(DeleteAnswer answer) {
    answer_ = answer;
    view_.close();
}

} // namespace davrin::editing
