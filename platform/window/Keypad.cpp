// Child window placement:
// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setwindowpos
#include "platform/window/Keypad.h"

#include <algorithm>
#include <string_view>

#include "window/WindowLayout.h"

namespace zentra::win32 {
namespace {

constexpr int kFirstKeyId = 1000;

struct ArrayName {
    KeyArray array;
    std::string_view name;
};

constexpr ArrayName kArrays[] = {
    {KeyArray::Cntrl, "bbCntrl"},
    {KeyArray::Oper, "bbOper"},
    {KeyArray::Func, "bbFunc"},
    {KeyArray::Digit, "bbDigit"},
};

void MoveKey(const std::unique_ptr<CommandButtonWindow>& key, LayoutPoint at) {
    if (!key) return;
    SetWindowPos(key->Hwnd(), nullptr, at.x, at.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int Keypad::Slot(KeyArray array, int index) {
    int slot = 0;
    for (const ArrayName& entry : kArrays) {
        if (entry.array == array) return index >= 0 && index < KeyCount(array) ? slot + index : -1;
        slot += KeyCount(entry.array);
    }
    return -1;
}

bool Keypad::Create(HWND panel, const std::vector<KeyDesign>& design, Events events, int dpi) {
    panel_ = panel;
    dpi_ = dpi;
    events_ = std::move(events);
    bool created = true;
    for (const ArrayName& entry : kArrays) {
        for (int index = 0; index < KeyCount(entry.array); ++index) {
            const int slot = Slot(entry.array, index);
            const int id = kFirstKeyId + slot;
            const KeyDesign* stored = FindKey(design, entry.name, index);
            CommandButtonArgs args;
            if (stored != nullptr) {
                args = ArgsFromDesign(*stored, panel, id);
            } else {
                args.parent = panel;
                args.id = id;
                args.width = keyWidth_;
                args.height = keyHeight_;
            }
            args.designArray = std::string(entry.name);
            args.designIndex = index;
            const KeyArray array = entry.array;
            args.onClick = [this, array, index] {
                if (events_.onClick) events_.onClick(array, index);
            };
            args.onDblClick = [this, array, index] {
                if (events_.onDblClick) events_.onDblClick(array, index);
            };
            args.onMouseDown = [this, array, index](const ButtonMouse& mouse) {
                if (events_.onMouseDown) events_.onMouseDown(array, index, mouse);
            };
            if (array == KeyArray::Func && index == 0) {
                keyWidth_ = args.width;
                keyHeight_ = args.height;
            }
            // The keypad layout places the keys; only their size is the design's, scaled.
            args.width = ScalePixels(args.width, dpi_);
            args.height = ScalePixels(args.height, dpi_);
            Button& key = keys_[static_cast<std::size_t>(slot)];
            if (stored != nullptr) {
                key.helpContextId = stored->helpContextId;
                key.whatsThisHelpId = stored->whatsThisHelpId;
            }
            key.window = CommandButtonWindow::Create(args);
            created = created && key.window != nullptr;
        }
    }
    return created;
}

KeyPort& Keypad::Key(KeyArray array, int index) {
    const int slot = Slot(array, index);
    // The logic only asks for valid keys; an invalid one gets the first key rather than a crash.
    return keys_[static_cast<std::size_t>(slot < 0 ? 0 : slot)];
}

void Keypad::FinishPresses() {
    for (Button& key : keys_) {
        if (key.window) key.window->Button().FinishClick();
    }
}

bool Keypad::Find(HWND hwnd, KeyArray& array, int& index) const {
    for (const ArrayName& entry : kArrays) {
        for (int i = 0; i < KeyCount(entry.array); ++i) {
            const auto& key = keys_[static_cast<std::size_t>(Slot(entry.array, i))];
            if (key.window && key.window->Hwnd() == hwnd) {
                array = entry.array;
                index = i;
                return true;
            }
        }
    }
    return false;
}

void Keypad::LayOut() {
    // The places follow from the key size alone: a panel that only changed its size keeps them,
    // and moving 28 windows to where they already are still costs a round trip each.
    if (keyWidth_ == placedWidth_ && keyHeight_ == placedHeight_ && dpi_ == placedDpi_) return;
    const bool allKeys = std::all_of(keys_.begin(), keys_.end(),
                                     [](const Button& key) { return key.window != nullptr; });
    if (allKeys) {
        placedWidth_ = keyWidth_;
        placedHeight_ = keyHeight_;
        placedDpi_ = dpi_;
    }
    const KeypadPositions positions = LayOutKeypad(keyWidth_, keyHeight_, dpi_);
    const auto place = [this](KeyArray array, const auto& points) {
        for (int i = 0; i < KeyCount(array); ++i) {
            MoveKey(keys_[static_cast<std::size_t>(Slot(array, i))].window,
                    points[static_cast<std::size_t>(i)]);
        }
    };
    place(KeyArray::Cntrl, positions.cntrl);
    place(KeyArray::Oper, positions.oper);
    place(KeyArray::Digit, positions.digit);
    place(KeyArray::Func, positions.func);
}

void Keypad::SetDpi(int dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    for (Button& key : keys_) {
        if (key.window) {
            key.window->Rescale(dpi, ScalePixels(keyWidth_, dpi), ScalePixels(keyHeight_, dpi));
        }
    }
}

void Keypad::Button::SetEnabled(bool enabled) {
    if (window) window->SetEnabled(enabled);
}

void Keypad::Button::SetVisible(bool visible) {
    if (window) window->SetVisible(visible);
}

void Keypad::Button::SetCaption(const std::string& caption) {
    if (window) window->SetCaption(caption);
}

std::uint32_t Keypad::Button::ForeColor() const {
    return window ? window->Button().ForeColor() : 0;
}

void Keypad::Button::SetForeColor(std::uint32_t colour) {
    if (window) window->Button().SetForeColor(colour);
}

void Keypad::Button::SetFontName(const std::string& name) {
    if (!window) return;
    ButtonFont font = window->Button().Font();
    font.name = name;
    font.charset = 0;
    window->Button().SetFont(font);
}

void Keypad::Button::ClickDraw() {
    if (window) window->ClickDraw();
}

}  // namespace zentra::win32
