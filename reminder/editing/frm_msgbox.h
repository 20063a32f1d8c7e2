// frmMsgbox: the three-choice question the list window asks before deleting a recurring occurrence.
#pragma once

#include <optional>
#include <string>

namespace davrin::editing {

class FrmMsgboxView {
public:
    virtual ~FrmMsgboxView() = default;
    virtual void setCaption(const std::string& text) = 0;
    virtual void setPrompt(const std::string& text) = 0;
    virtual void setButtonTexts(const std::string& one, const std::string& all,
                                const std::string& none) = 0;
    virtual void close() = 0;
};

enum class DeleteAnswer { One, All, None };

class FrmMsgbox {
public:
    explicit FrmMsgbox(FrmMsgboxView& view) : view_(view) {}

    void Form_Load();
    void Command1_Click(); // Delete One
    void Command2_Click(); // Delete All
    void Command3_Click(); // Delete None
    // The pressed button's answer; none when the dialog went away without one.
    const std::optional<DeleteAnswer>& answer() const { return answer_; }

private:
    void close(DeleteAnswer answer);

    FrmMsgboxView& view_;
    std::optional<DeleteAnswer> answer_;
};

} // namespace davrin::editing
