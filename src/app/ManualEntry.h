#pragma once

#include "base/Operator.h"
#include "base/WindowState.h"

#include <functional>
#include <string>
#include <string_view>

namespace quillet {

// Upper case for single-byte text: ASCII a-z and the Latin-1 letters 0xE0-0xFE (except
// the division sign 0xF7) move down by 0x20; every other byte stays as it is.
std::string UpperCaseSingleByte(std::string_view text);

// What manual entry asks of the window's box and buttons.
struct ManualEntryView {
    enum class Focus { None, Box, Edit };
    bool boxEnabled = false;
    bool editEnabled = true;
    bool okEnabled = false;
    std::string boxText;
    // Where the focus goes after the last action.
    Focus focus = Focus::None;
};

// A label typed by hand: idle ("Edit" enabled) or typing (box and "OK" enabled).
class ManualEntry {
public:
    // Hands one label to the interpreter; true when it was accepted.
    using Interpret = std::function<bool(const std::string&)>;

    ManualEntry(WindowState& window, Operator& op, Interpret interpret);

    // Called after every change of the view, so the window redraws it.
    void SetObserver(std::function<void()> observer) { observer_ = std::move(observer); }

    const ManualEntryView& View() const { return view_; }
    bool Typing() const { return typing_; }

    void Edit();
    void Ok(const std::string& boxText);

private:
    void EnterTyping(ManualEntryView::Focus focus);
    void EnterIdle(ManualEntryView::Focus focus);
    void Notify();

    WindowState& window_;
    Operator& operator_;
    Interpret interpret_;
    std::function<void()> observer_;
    ManualEntryView view_;
    bool typing_ = false;
    // The interpreter lets window events run while it waits; a second "OK" meanwhile
    // must not hand the same label on again.
    bool interpreting_ = false;
};

} // namespace quillet
