#pragma once
// The dialog's taskbar button shows the copy's progress: a bar that moves
// while the source is being counted, the share done once it is known, red
// once anything was not copied, nothing when the copy has ended; and it
// flashes when a copy ends while the person is elsewhere.
//
// The taskbar's object (ITaskbarList3) may be made only once the taskbar
// has made the button: Windows then sends the "TaskbarButtonCreated"
// message. Until then, and where there is no such object (Wine's taskbar
// shows no progress), what the button should show is only remembered.

#include <windows.h>

#include <shobjidl.h>

#include <memory>
#include <optional>

// The calls that reach the taskbar, one member each: a test replaces them
// to see what the button is told.
class TaskbarCalls {
public:
    TaskbarCalls() = default;
    TaskbarCalls(const TaskbarCalls&) = delete;
    TaskbarCalls& operator=(const TaskbarCalls&) = delete;
    // Releases the object, then COM, on the thread that made them.
    virtual ~TaskbarCalls();

    // Initialises COM on this thread (apartment-threaded, as the taskbar's
    // object wants) and makes the object. False when there is none.
    virtual bool Create();
    virtual void SetProgressState(HWND window, TBPFLAG state);
    virtual void SetProgressValue(HWND window, ULONGLONG done, ULONGLONG total);
    // FlashWindowEx on the button until the window comes to the front.
    virtual void Flash(HWND window);

private:
    ITaskbarList3* m_list = nullptr;
    bool m_comInitialised = false;
};

class TaskbarButton {
public:
    // calls: the seam (null: the real calls).
    explicit TaskbarButton(std::unique_ptr<TaskbarCalls> calls = nullptr);

    // The message number Windows sends when the button has been made.
    static UINT CreatedMessage();

    // The window whose button this is; set once it exists.
    void SetWindow(HWND window) { m_window = window; }
    // The button exists (again): makes the taskbar's object the first time
    // and shows what the button should show.
    void OnButtonCreated();
    // What the copy shows: no share yet (counting), or the share in
    // percent; `failed` once anything was not copied.
    void ShowProgress(std::optional<int> share, bool failed);
    // The copy has ended: no progress; the button flashes when asked.
    void EndProgress(bool flash);

private:
    void Apply();

    std::unique_ptr<TaskbarCalls> m_calls;
    HWND m_window = nullptr;
    bool m_created = false;
    // What the button should show, and what it was last told.
    TBPFLAG m_state = TBPF_NOPROGRESS;
    int m_value = 0;
    std::optional<TBPFLAG> m_toldState;
    std::optional<int> m_toldValue;
};
