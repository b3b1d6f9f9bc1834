#include "TaskbarButton.h"

TaskbarCalls::~TaskbarCalls() {
    if (m_list)
        m_list->Release();
    if (m_comInitialised)
        CoUninitialize();
}

bool TaskbarCalls::Create() {
    // S_FALSE (already initialised on this thread) is counted too, and
    // balanced like S_OK; another threading model leaves COM as it is.
    m_comInitialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    void* list = nullptr;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                IID_ITaskbarList3, &list)))
        return false;
    m_list = static_cast<ITaskbarList3*>(list);
    if (FAILED(m_list->HrInit())) {
        m_list->Release();
        m_list = nullptr;
    }
    return m_list != nullptr;
}

void TaskbarCalls::SetProgressState(HWND window, TBPFLAG state) {
    if (m_list)
        m_list->SetProgressState(window, state);
}

void TaskbarCalls::SetProgressValue(HWND window, ULONGLONG done, ULONGLONG total) {
    if (m_list)
        m_list->SetProgressValue(window, done, total);
}

void TaskbarCalls::Flash(HWND window) {
    FLASHWINFO flash{sizeof flash, window, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
    FlashWindowEx(&flash);
}

TaskbarButton::TaskbarButton(std::unique_ptr<TaskbarCalls> calls)
    : m_calls(calls ? std::move(calls) : std::make_unique<TaskbarCalls>()) {}

UINT TaskbarButton::CreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarButtonCreated");
    // Without a number of its own, a number no message has.
    return message ? message : 0xFFFFFFFFu;
}

void TaskbarButton::OnButtonCreated() {
    if (!m_created)
        m_created = m_calls->Create();
    // A new button (after the taskbar itself restarted) shows nothing yet.
    m_toldState.reset();
    m_toldValue.reset();
    Apply();
}

void TaskbarButton::ShowProgress(std::optional<int> share, bool failed) {
    m_state = failed ? TBPF_ERROR : share ? TBPF_NORMAL : TBPF_INDETERMINATE;
    m_value = share.value_or(0);
    Apply();
}

void TaskbarButton::EndProgress(bool flash) {
    m_state = TBPF_NOPROGRESS;
    m_value = 0;
    Apply();
    if (flash)
        m_calls->Flash(m_window);
}

void TaskbarButton::Apply() {
    if (!m_created)
        return;
    if (m_toldState != m_state) {
        m_calls->SetProgressState(m_window, m_state);
        m_toldState = m_state;
    }
    // A value also sets the normal state: none while the bar moves or is off.
    bool hasValue = m_state == TBPF_NORMAL || m_state == TBPF_ERROR;
    if (hasValue && m_toldValue != m_value) {
        m_calls->SetProgressValue(m_window, static_cast<ULONGLONG>(m_value), 100);
        m_toldValue = m_value;
    }
    if (!hasValue)
        m_toldValue.reset();
}
