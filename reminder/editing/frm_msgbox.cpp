// frmMsgbox handlers: each button stores its answer and closes the dialog.
#include "frm_msgbox.h"

#include "edit_context.h"

namespace davrin {

void frmMsgbox::Form_Load() {
    view_.setCaption("Recurrance Delete");
    view_.setPrompt("Delete Recurrance of this Event ?");
    view_.setButtonTexts("Delete &One", "Delete &All", "Delete &None");
}

void frmMsgbox::Command1_Click() {
    answer("One");
}
void frmMsgbox::Command2_Click() {
    answer("All");
}
void frmMsgbox::Command3_Click() {
    answer("None");
}

void frmMsgbox::answer(const char* text) {
    gMsgAnswer = text;
    view_.close();
}

} // namespace davrin
