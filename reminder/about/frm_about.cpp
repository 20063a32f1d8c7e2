// The about window's texts and the shell requests behind its links.
#include "reminder/about/frm_about.h"

namespace davrin::about {

void FrmAbout::Form_Load() {
    view_.setText(AboutLabel::Label1, kAddressLine1);
    view_.setText(AboutLabel::Label2, kAddressLine2);
    view_.setText(AboutLabel::Label6, kTelephone);
    view_.setText(AboutLabel::Label3, kMailAddress);
    view_.setText(AboutLabel::Label4, kWebAddress);
}

void FrmAbout::Label3_Click() {
    // Mail programs are started in the drive's root, not in the program's folder, so they
    // never hold that folder open.
    shell_.execute(
        {false, "", std::string("mailto:") + kMailAddress, programFolder_.root().utf8()});
}

void FrmAbout::Label4_Click() {
    shell_.execute({true, "open", std::string("http://") + kWebAddress + "/", ""});
}

} // namespace davrin::about
