#pragma once
// A message map is a static table of named handler members. A class routes a
// message by looking it up in its own table and, when the table has no entry,
// handing it to its base class, which ends in the default processing:
//
//   bool CMyDlg::OnWndMsg(UINT m, WPARAM w, LPARAM l, LRESULT& r) {
//       return DispatchMessageMap(this, kMessageMap, m, w, l, r) ||
//              CDialog::OnWndMsg(m, w, l, r);
//   }

#include <windows.h>

#include <span>
#include <variant>

template <class T> struct MessageMapEntry {
    using Plain = void (T::*)();                     // commands, WM_PAINT, ...
    using Raw = LRESULT (T::*)(WPARAM, LPARAM);       // the program's own messages
    using SysCommand = void (T::*)(UINT, LPARAM);     // WM_SYSCOMMAND
    using QueryIcon = HCURSOR (T::*)();               // WM_QUERYDRAGICON

    constexpr MessageMapEntry(UINT msg, Plain fn) : message(msg), handler(fn) {}
    constexpr MessageMapEntry(UINT msg, Raw fn) : message(msg), handler(fn) {}
    constexpr MessageMapEntry(UINT msg, SysCommand fn) : message(msg), handler(fn) {}
    constexpr MessageMapEntry(UINT msg, QueryIcon fn) : message(msg), handler(fn) {}

    // A WM_COMMAND from control or menu item `id` (clicks and menu picks only).
    static constexpr MessageMapEntry Command(UINT id, Plain fn) {
        MessageMapEntry e(WM_COMMAND, fn);
        e.commandId = id;
        return e;
    }

    UINT message;
    UINT commandId = 0;
    std::variant<Plain, Raw, SysCommand, QueryIcon> handler;
};

// Calls the entry of `map` that matches the message, if any. Returns whether
// one did; its result goes to `result`.
template <class T>
bool DispatchMessageMap(T* self, std::span<const MessageMapEntry<T>> map, UINT message,
                        WPARAM wParam, LPARAM lParam, LRESULT& result) {
    for (const auto& entry : map) {
        if (entry.message != message)
            continue;
        if (message == WM_COMMAND && (entry.commandId != LOWORD(wParam) || HIWORD(wParam) != 0))
            continue;
        result = 0;
        std::visit(
            [&](auto fn) {
                using Fn = decltype(fn);
                if constexpr (std::is_same_v<Fn, typename MessageMapEntry<T>::Plain>)
                    (self->*fn)();
                else if constexpr (std::is_same_v<Fn, typename MessageMapEntry<T>::Raw>)
                    result = (self->*fn)(wParam, lParam);
                else if constexpr (std::is_same_v<Fn, typename MessageMapEntry<T>::SysCommand>)
                    (self->*fn)(static_cast<UINT>(wParam), lParam);
                else
                    result = reinterpret_cast<LRESULT>((self->*fn)());
            },
            entry.handler);
        return true;
    }
    return false;
}
