// frmMsgbox: the three-choice question the list window asks before deleting a recurring occurrence.
#pragma once

#include <string>

namespace davrin {

class FrmMsgboxView {
public:
    virtual ~FrmMsgboxView() = default;
    virtual void setCaption(const std::string& text) = 0;
    virtual void setPrompt(const std::string& text) = 0;
    virtual void setButtonTexts(const std::string& one, const std::string& all,
                                const std::string& none) = 0;
    virtual void close() = 0;
};

// The answer travels back in gMsgAnswer; a dialog dismissed any other way leaves it empty.
class frmMsgbox {
public:
    explicit frmMsgbox(FrmMsgboxView& view) : view_(view) {}

    void Form_Load();
    void Command1_Click(); // Delete One
    void Command2_Click(); // Delete All
    void Command3_Click(); // Delete None

private:
    void answer(const char* text);

    FrmMsgboxView& view_;
};

} // namespace davrin
