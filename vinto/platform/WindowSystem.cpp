#include "vinto/platform/WindowSystem.h"

#include "vinto/platform/Canvas.h"
#include "vinto/platform/InputRouter.h"
#include "vinto/platform/KeyNames.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <poll.h>

namespace Vinto {

namespace {
std::atomic<WindowSystem*> current{nullptr};
}

struct WindowSystem::Window {
    WindowHandle handle = 0;
    WindowProcedure* procedure = nullptr;
    std::wstring title;
    uint32_t classStyle = 0;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    Rect rect;             // screen, or parent client coordinates for a child; written under windowsMutex_
    Rect restoreRect;      // the normal rectangle while minimised or maximised
    WindowHandle parent = 0;
    WindowHandle owner = 0;
    std::vector<WindowHandle> children;
    bool destroying = false;
    std::map<std::wstring, intptr_t> properties;
    Surface surface;
    Rect dirty;            // guarded by windowsMutex_
    bool erase = false;    // guarded by windowsMutex_
};

WindowSystem::WindowSystem(std::unique_ptr<WindowBackend> backend)
    : backend_(std::move(backend)), clock_(backend_->ClockKind()), queue_(waker_),
      input_(std::make_unique<InputRouter>(*this)), uiThread_(std::this_thread::get_id())
{
    current = this;
    backend_->Attach(*this);
}

WindowSystem::~WindowSystem()
{
    queue_.Close();
    // Windows still alive at shutdown go quietly: their objects may already be gone.
    {
        std::lock_guard lock(windowsMutex_);
        for (auto& [h, w] : windows_)
            w->procedure = nullptr;
    }
    std::vector<WindowHandle> topLevel = zOrder_;
    for (WindowHandle h : topLevel)
        DestroyWindow(h);
    current = nullptr;
}

WindowSystem* WindowSystem::Current() { return current.load(); }

WindowSystem::Window* WindowSystem::Find(WindowHandle window)
{
    std::lock_guard lock(windowsMutex_);
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : it->second.get();
}

const WindowSystem::Window* WindowSystem::Find(WindowHandle window) const
{
    return const_cast<WindowSystem*>(this)->Find(window);
}

Message WindowSystem::MakeMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) const
{
    Message m;
    m.window = window;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = static_cast<uint32_t>(clock_.Now());
    m.cursor = input_->CursorPos();
    return m;
}

WindowBackend::WindowView WindowSystem::ViewOf(const Window& w) const
{
    return {w.handle, w.parent, w.owner, w.rect, w.style, w.exStyle, w.title};
}

void WindowSystem::NotifyBackend(WindowHandle window)
{
    if (const Window* w = Find(window))
        backend_->WindowChanged(ViewOf(*w));
}

intptr_t WindowSystem::CallProcedure(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    const Window* w = Find(window);
    if (!w)
        return 0;
    if (!w->procedure)
        return DefWindowProc(window, message, wParam, lParam);
    return w->procedure->WindowProc(window, message, wParam, lParam);
}

// ---------------------------------------------------------------- windows

WindowHandle WindowSystem::CreateWindow(const WindowCreateParams& params, WindowProcedure* procedure)
{
    const bool child = params.style & WS_CHILD;
    if ((child && !Find(params.parent)) || (!child && params.parent && !Find(params.parent)))
        return 0;
    auto record = std::make_unique<Window>();
    record->procedure = procedure;
    record->title = params.title;
    record->classStyle = params.classStyle;
    record->style = params.style & ~WS_VISIBLE;
    record->exStyle = params.exStyle;
    record->rect = params.rect;
    record->restoreRect = params.rect;
    // An owner is always a top-level window, whichever window of it was named.
    if (child)
        record->parent = params.parent;
    else
        record->owner = GetTopLevel(params.parent);
    WindowHandle handle = 0;
    {
        std::lock_guard lock(windowsMutex_);
        handle = nextHandle_++;
        record->handle = handle;
        windows_.emplace(handle, std::move(record));
    }
    if (child)
        Find(params.parent)->children.push_back(handle);
    else
        zOrder_.push_back(handle);

    CreateStruct cs{params.title, params.classStyle, params.style, params.exStyle, params.rect, params.parent};
    if (CallProcedure(handle, WM_NCCREATE, 0, reinterpret_cast<intptr_t>(&cs)) == 0) {
        DestroyWindow(handle);
        return 0;
    }
    backend_->WindowCreated(ViewOf(*Find(handle)));
    if (CallProcedure(handle, WM_CREATE, 0, reinterpret_cast<intptr_t>(&cs)) == -1) {
        DestroyWindow(handle);
        return 0;
    }
    if (!IsWindow(handle))
        return 0;
    const Rect r = Find(handle)->rect;
    CallProcedure(handle, WM_SIZE, SIZE_RESTORED, MakeLParam(r.Width(), r.Height()));
    CallProcedure(handle, WM_MOVE, 0, MakeLParam(r.left, r.top));
    if ((params.style & WS_VISIBLE) && IsWindow(handle))
        ShowWindow(handle, SW_SHOW);
    return IsWindow(handle) ? handle : 0;
}

bool WindowSystem::DestroyWindow(WindowHandle window)
{
    Window* w = Find(window);
    if (!w || w->destroying)
        return false;
    w->destroying = true;

    std::vector<WindowHandle> owned;
    {
        std::lock_guard lock(windowsMutex_);
        for (auto& [h, other] : windows_)
            if (other->owner == window)
                owned.push_back(h);
    }
    for (WindowHandle h : owned)
        DestroyWindow(h);

    if (IsWindowVisible(window))
        ShowWindow(window, SW_HIDE);
    if (IsInside(capture_, window))
        ReleaseCapture();
    if (IsInside(focus_, window))
        SetFocus(0);
    if (active_ == window)
        ActivateAfterLoss(window);
    DestroyTree(window);
    return true;
}

void WindowSystem::DestroyTree(WindowHandle window)
{
    CallProcedure(window, WM_DESTROY, 0, 0);
    if (Window* w = Find(window)) {
        std::vector<WindowHandle> children = w->children;
        for (WindowHandle child : children) {
            if (Window* c = Find(child)) {
                c->destroying = true;
                DestroyTree(child);
            }
        }
    }
    CallProcedure(window, WM_NCDESTROY, 0, 0);

    timers_.ForgetWindow(window);
    queue_.ForgetWindow(window);
    input_->ForgetWindow(window);
    if (focus_ == window)
        focus_ = 0;
    if (active_ == window)
        active_ = 0;
    if (capture_ == window)
        capture_ = 0;
    backend_->WindowDestroyed(window);
    std::erase(zOrder_, window);
    std::unique_ptr<Window> gone;
    {
        std::lock_guard lock(windowsMutex_);
        auto it = windows_.find(window);
        if (it == windows_.end())
            return;
        gone = std::move(it->second);
        windows_.erase(it);
        if (gone->parent) {
            auto parent = windows_.find(gone->parent);
            if (parent != windows_.end())
                std::erase(parent->second->children, window);
        }
    }
}

bool WindowSystem::IsWindow(WindowHandle window) const { return window && Find(window) != nullptr; }

WindowHandle WindowSystem::GetParent(WindowHandle window) const
{
    const Window* w = Find(window);
    return w ? w->parent : 0;
}

WindowHandle WindowSystem::GetOwner(WindowHandle window) const
{
    const Window* w = Find(window);
    return w ? w->owner : 0;
}

WindowHandle WindowSystem::GetTopLevel(WindowHandle window) const
{
    const Window* w = Find(window);
    while (w && w->parent)
        w = Find(w->parent);
    return w ? w->handle : 0;
}

bool WindowSystem::IsInside(WindowHandle window, WindowHandle ancestor) const
{
    for (const Window* w = Find(window); w; w = Find(w->parent))
        if (w->handle == ancestor)
            return true;
    return false;
}

void WindowSystem::ApplyRect(WindowHandle window, const Rect& rect, uintptr_t sizeType, bool announceSize)
{
    Window* w = Find(window);
    if (!w)
        return;
    const Rect old = w->rect;
    {
        // Other threads read the size when they invalidate.
        std::lock_guard lock(windowsMutex_);
        w->rect = rect;
    }
    NotifyBackend(window);
    if (old.left != rect.left || old.top != rect.top)
        CallProcedure(window, WM_MOVE, 0, MakeLParam(rect.left, rect.top));
    if (old.Width() != rect.Width() || old.Height() != rect.Height() || sizeType != SIZE_RESTORED || announceSize) {
        CallProcedure(window, WM_SIZE, sizeType, MakeLParam(rect.Width(), rect.Height()));
        InvalidateRect(window, nullptr, true);
    }
}

bool WindowSystem::ShowWindow(WindowHandle window, int command)
{
    Window* w = Find(window);
    if (!w)
        return false;
    const bool wasVisible = w->style & WS_VISIBLE;
    const bool child = w->style & WS_CHILD;

    if (command == SW_HIDE) {
        if (!wasVisible)
            return false;
        w->style &= ~WS_VISIBLE;
        CallProcedure(window, WM_SHOWWINDOW, 0, 0);
        NotifyBackend(window);
        if (IsInside(capture_, window))
            ReleaseCapture();
        if (IsInside(focus_, window))
            SetFocus(0);
        if (active_ == window)
            ActivateAfterLoss(window);
        if (child)
            InvalidateRect(w->parent, nullptr, false);
        return true;
    }

    const bool minimise = command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE;
    const bool activate = !child && !(w->exStyle & WS_EX_NOACTIVATE) && command != SW_SHOWNA &&
                          command != SW_SHOWNOACTIVATE && !minimise;
    if (!wasVisible) {
        w->style |= WS_VISIBLE;
        CallProcedure(window, WM_SHOWWINDOW, 1, 0);
        InvalidateRect(window, nullptr, true);
    }
    if (!(w = Find(window)))
        return wasVisible;

    if (minimise && !(w->style & WS_MINIMIZE)) {
        if (!(w->style & WS_MAXIMIZE))
            w->restoreRect = w->rect;
        w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
        NotifyBackend(window);
        CallProcedure(window, WM_SIZE, SIZE_MINIMIZED, 0);
        if (active_ == window)
            ActivateAfterLoss(window);
        return wasVisible;
    }
    if (command == SW_MAXIMIZE && !(w->style & WS_MAXIMIZE)) {
        if (!(w->style & WS_MINIMIZE))
            w->restoreRect = w->rect;
        const Rect work = MonitorWorkArea({w->rect.left + w->rect.Width() / 2, w->rect.top + w->rect.Height() / 2});
        MinMaxInfo info;
        info.maxSize = {work.Width(), work.Height()};
        info.maxPosition = {work.left, work.top};
        CallProcedure(window, WM_GETMINMAXINFO, 0, reinterpret_cast<intptr_t>(&info));
        if (!(w = Find(window)))
            return wasVisible;
        w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
        ApplyRect(window, Rect::FromSize(info.maxPosition.x, info.maxPosition.y, info.maxSize.x, info.maxSize.y),
                  SIZE_MAXIMIZED);
    } else if ((command == SW_RESTORE || command == SW_SHOWNORMAL) && (w->style & (WS_MINIMIZE | WS_MAXIMIZE))) {
        w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
        // Coming back from the task bar is a size change to the window even at the same size.
        ApplyRect(window, w->restoreRect, SIZE_RESTORED, true);
    } else {
        NotifyBackend(window);
    }
    if (activate && IsWindow(window))
        SetActiveWindow(window);
    if (child && IsWindow(window))
        InvalidateRect(GetParent(window), nullptr, false);
    return wasVisible;
}

bool WindowSystem::SetWindowPos(WindowHandle window, int x, int y, int cx, int cy, uint32_t flags)
{
    Window* w = Find(window);
    if (!w)
        return false;
    WindowPos pos{window, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = w->rect.left;
        pos.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = w->rect.Width();
        pos.cy = w->rect.Height();
    }
    CallProcedure(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<intptr_t>(&pos));
    if (!IsWindow(window))
        return false;
    ApplyRect(window, Rect::FromSize(pos.x, pos.y, std::max(0, pos.cx), std::max(0, pos.cy)), SIZE_RESTORED);
    if ((w = Find(window)) && !(w->style & (WS_MINIMIZE | WS_MAXIMIZE)))
        w->restoreRect = w->rect;
    CallProcedure(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<intptr_t>(&pos));
    if (flags & SWP_SHOWWINDOW)
        ShowWindow(window, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    else if (flags & SWP_HIDEWINDOW)
        ShowWindow(window, SW_HIDE);
    return IsWindow(window);
}

bool WindowSystem::MoveWindow(WindowHandle window, const Rect& rect)
{
    return SetWindowPos(window, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

bool WindowSystem::IsWindowVisible(WindowHandle window) const
{
    const Window* w = Find(window);
    if (!w)
        return false;
    for (; w; w = Find(w->parent))
        if (!(w->style & WS_VISIBLE))
            return false;
    return true;
}

bool WindowSystem::IsIconic(WindowHandle window) const
{
    const Window* w = Find(window);
    return w && (w->style & WS_MINIMIZE);
}

bool WindowSystem::IsZoomed(WindowHandle window) const
{
    const Window* w = Find(window);
    return w && (w->style & WS_MAXIMIZE);
}

Rect WindowSystem::GetWindowRect(WindowHandle window) const
{
    const Window* w = Find(window);
    if (!w)
        return {};
    const Point origin = ClientToScreen(window, {0, 0});
    return Rect::FromSize(origin.x, origin.y, w->rect.Width(), w->rect.Height());
}

Rect WindowSystem::GetClientRect(WindowHandle window) const
{
    const Window* w = Find(window);
    return w ? Rect{0, 0, w->rect.Width(), w->rect.Height()} : Rect{};
}

Point WindowSystem::ClientToScreen(WindowHandle window, Point p) const
{
    for (const Window* w = Find(window); w; w = Find(w->parent)) {
        p.x += w->rect.left;
        p.y += w->rect.top;
    }
    return p;
}

Point WindowSystem::ScreenToClient(WindowHandle window, Point p) const
{
    const Point origin = ClientToScreen(window, {0, 0});
    return {p.x - origin.x, p.y - origin.y};
}

WindowHandle WindowSystem::WindowFromPoint(Point screen) const
{
    // Topmost first: WS_EX_TOPMOST windows above the others, then the most recently raised.
    std::vector<WindowHandle> order(zOrder_.rbegin(), zOrder_.rend());
    std::stable_partition(order.begin(), order.end(), [this](WindowHandle h) {
        const Window* w = Find(h);
        return w && (w->exStyle & WS_EX_TOPMOST);
    });
    for (WindowHandle h : order) {
        const Window* w = Find(h);
        if (!w || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE) || (w->exStyle & WS_EX_TRANSPARENT) ||
            !GetWindowRect(h).Contains(screen))
            continue;
        WindowHandle hit = h;
        for (bool descended = true; descended;) {
            descended = false;
            const Window* parent = Find(hit);
            for (auto it = parent->children.rbegin(); it != parent->children.rend(); ++it) {
                const Window* c = Find(*it);
                if (c && (c->style & WS_VISIBLE) && GetWindowRect(*it).Contains(screen)) {
                    hit = *it;
                    descended = true;
                    break;
                }
            }
        }
        return hit;
    }
    return 0;
}

uint32_t WindowSystem::GetWindowLong(WindowHandle window, int index) const
{
    const Window* w = Find(window);
    if (!w)
        return 0;
    return index == GWL_STYLE ? w->style : index == GWL_EXSTYLE ? w->exStyle : 0;
}

uint32_t WindowSystem::SetWindowLong(WindowHandle window, int index, uint32_t value)
{
    Window* w = Find(window);
    if (!w || (index != GWL_STYLE && index != GWL_EXSTYLE))
        return 0;
    uint32_t& field = index == GWL_STYLE ? w->style : w->exStyle;
    const uint32_t old = field;
    field = value;
    if (old != value)
        NotifyBackend(window);
    return old;
}

uint32_t WindowSystem::GetClassStyle(WindowHandle window) const
{
    const Window* w = Find(window);
    return w ? w->classStyle : 0;
}

bool WindowSystem::SetWindowText(WindowHandle window, const std::wstring& text)
{
    Window* w = Find(window);
    if (!w)
        return false;
    w->title = text;
    NotifyBackend(window);
    return true;
}

std::wstring WindowSystem::GetWindowText(WindowHandle window) const
{
    const Window* w = Find(window);
    return w ? w->title : std::wstring();
}

bool WindowSystem::RegisterRawInput(WindowHandle window) { return input_->SetRawInputTarget(window); }

std::wstring WindowSystem::GetKeyNameText(uint32_t virtualKey)
{
    return KeyNameFor(virtualKey, backend_->KeysymForVirtualKey(virtualKey));
}

bool WindowSystem::PublishWindowMark(WindowHandle window, const std::wstring& name)
{
    if (!Find(window) || name.empty())
        return false;
    backend_->MarkWindow(window, name);
    return true;
}

bool WindowSystem::SetWindowIcon(WindowHandle window, const Surface& icon)
{
    if (!IsWindow(window) || !icon.IsValid())
        return false;
    backend_->SetIcon(window, icon);
    return true;
}

bool WindowSystem::SetProp(WindowHandle window, const std::wstring& name, intptr_t value)
{
    Window* w = Find(window);
    if (!w)
        return false;
    w->properties[name] = value;
    return true;
}

intptr_t WindowSystem::GetProp(WindowHandle window, const std::wstring& name) const
{
    const Window* w = Find(window);
    if (!w)
        return 0;
    auto it = w->properties.find(name);
    return it == w->properties.end() ? 0 : it->second;
}

intptr_t WindowSystem::RemoveProp(WindowHandle window, const std::wstring& name)
{
    Window* w = Find(window);
    if (!w)
        return 0;
    auto it = w->properties.find(name);
    if (it == w->properties.end())
        return 0;
    const intptr_t value = it->second;
    w->properties.erase(it);
    return value;
}

bool WindowSystem::EnableWindow(WindowHandle window, bool enable)
{
    Window* w = Find(window);
    if (!w)
        return false;
    const bool wasDisabled = w->style & WS_DISABLED;
    if (wasDisabled == !enable)
        return wasDisabled;
    if (enable) {
        w->style &= ~WS_DISABLED;
    } else {
        w->style |= WS_DISABLED;
        if (IsInside(focus_, window))
            SetFocus(0);
        if (IsInside(capture_, window))
            ReleaseCapture();
    }
    NotifyBackend(window);
    CallProcedure(window, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

bool WindowSystem::IsWindowEnabled(WindowHandle window) const
{
    const Window* w = Find(window);
    if (!w)
        return false;
    for (; w; w = Find(w->parent))
        if (w->style & WS_DISABLED)
            return false;
    return true;
}

// ---------------------------------------------------------------- activation, focus, capture

WindowHandle WindowSystem::SetActiveWindow(WindowHandle window, uintptr_t how)
{
    window = GetTopLevel(window);
    const WindowHandle old = active_;
    if (window == old)
        return old;
    active_ = window;
    if (IsWindow(old)) {
        CallProcedure(old, WM_NCACTIVATE, 0, static_cast<intptr_t>(window));
        CallProcedure(old, WM_ACTIVATE, WA_INACTIVE, static_cast<intptr_t>(window));
    }
    if (window && active_ == window) {
        // Raised windows come first when the pointer looks for its target.
        std::erase(zOrder_, window);
        zOrder_.push_back(window);
        backend_->Activate(window);
        CallProcedure(window, WM_NCACTIVATE, 1, static_cast<intptr_t>(old));
        CallProcedure(window, WM_ACTIVATE, how, static_cast<intptr_t>(old));
        if (active_ == window && !IsInside(focus_, window))
            SetFocus(window);
    } else if (!window && focus_) {
        SetFocus(0);
    }
    return old;
}

void WindowSystem::ActivateAfterLoss(WindowHandle leaving)
{
    // The owner takes over, as a dialog's owner does when the dialog goes away.
    WindowHandle next = GetOwner(leaving);
    while (next && (!IsWindowVisible(next) || IsIconic(next) || !IsWindowEnabled(next)))
        next = GetOwner(next);
    SetActiveWindow(next);
}

WindowHandle WindowSystem::GetActiveWindow() const { return active_; }

bool WindowSystem::SetForegroundWindow(WindowHandle window)
{
    if (!IsWindow(window))
        return false;
    SetActiveWindow(window);
    return true;
}

WindowHandle WindowSystem::SetFocus(WindowHandle window)
{
    const WindowHandle old = focus_;
    if (window && (!IsWindow(window) || !IsWindowEnabled(window)))
        return 0;
    if (window == old)
        return old;
    // A window that never takes the activation (a popup editor over its owner) takes the focus
    // while its owner stays active.
    const WindowHandle top = GetTopLevel(window);
    if (window && top != active_ && !(GetWindowLong(top, GWL_EXSTYLE) & WS_EX_NOACTIVATE)) {
        SetActiveWindow(window);
        if (focus_ == window)
            return old;
    }
    focus_ = window;
    if (IsWindow(old))
        CallProcedure(old, WM_KILLFOCUS, window, 0);
    if (window && focus_ == window)
        CallProcedure(window, WM_SETFOCUS, old, 0);
    return old;
}

WindowHandle WindowSystem::GetFocus() const { return focus_; }

WindowHandle WindowSystem::SetCapture(WindowHandle window)
{
    const WindowHandle old = capture_;
    if (!IsWindow(window) || window == old)
        return old;
    capture_ = window;
    backend_->GrabPointer(window);
    if (IsWindow(old))
        CallProcedure(old, WM_CAPTURECHANGED, 0, static_cast<intptr_t>(window));
    return old;
}

bool WindowSystem::ReleaseCapture()
{
    const WindowHandle old = capture_;
    if (!old)
        return true;
    capture_ = 0;
    backend_->GrabPointer(0);
    if (IsWindow(old))
        CallProcedure(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

WindowHandle WindowSystem::GetCapture() const { return capture_; }

// ---------------------------------------------------------------- messages

bool WindowSystem::PostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (!IsWindow(window))
        return false;
    queue_.Post(MakeMessage(window, message, wParam, lParam));
    return true;
}

intptr_t WindowSystem::SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (!IsWindow(window))
        return 0;
    if (IsUiThread())
        return CallProcedure(window, message, wParam, lParam);
    return queue_.Send(MakeMessage(window, message, wParam, lParam));
}

void WindowSystem::PostQuitMessage(int exitCode) { queue_.PostQuit(exitCode); }

void WindowSystem::DispatchSentMessages()
{
    while (MessageQueue::SentMessage* sent = queue_.TakeSent()) {
        const Message& m = sent->message;
        queue_.Complete(sent, CallProcedure(m.window, m.message, m.wParam, m.lParam));
    }
}

bool WindowSystem::TakePaint(Message& message)
{
    std::vector<WindowHandle> dirty;
    {
        std::lock_guard lock(windowsMutex_);
        for (auto& [h, w] : windows_)
            if (!w->dirty.IsEmpty())
                dirty.push_back(h);
    }
    std::sort(dirty.begin(), dirty.end());
    for (WindowHandle h : dirty) {
        if (IsWindowVisible(h) && !IsIconic(GetTopLevel(h))) {
            message = MakeMessage(h, WM_PAINT, 0, 0);
            return true;
        }
    }
    return false;
}

bool WindowSystem::NextMessage(Message& message)
{
    backend_->Pump();
    DispatchSentMessages();
    if (auto posted = queue_.TakePosted()) {
        message = *posted;
        return true;
    }
    if (auto code = queue_.TakeQuit()) {
        message = MakeMessage(0, WM_QUIT, static_cast<uintptr_t>(*code), 0);
        return true;
    }
    if (TakePaint(message))
        return true;
    const uint64_t now = clock_.Now();
    if (auto hover = input_->TakeHover(now)) {
        message = *hover;
        return true;
    }
    if (auto timer = timers_.TakeDue(now)) {
        *timer = MakeMessage(timer->window, timer->message, timer->wParam, timer->lParam);
        message = *timer;
        return true;
    }
    return false;
}

void WindowSystem::WaitForEvents()
{
    int timeout = -1;
    std::optional<uint64_t> deadline = timers_.NextDue();
    if (auto hover = input_->HoverDeadline(); hover && (!deadline || *hover < *deadline))
        deadline = hover;
    // A manual clock only moves when a test moves it, so only an already-due deadline matters.
    if (deadline) {
        const uint64_t now = clock_.Now();
        if (*deadline <= now)
            timeout = 0;
        else if (!clock_.IsManual())
            timeout = static_cast<int>(std::min<uint64_t>(*deadline - now, 60000));
    }
    // Handlers may have made the backend read native events into its own queue, where poll cannot
    // see them; draining it now turns them into posts, which wake the poll at once.
    backend_->Pump();
    pollfd fds[2] = {{waker_.Fd(), POLLIN, 0}, {backend_->EventFd(), POLLIN, 0}};
    poll(fds, fds[1].fd >= 0 ? 2 : 1, timeout);
}

bool WindowSystem::GetMessage(Message& message)
{
    for (;;) {
        waker_.Drain();
        if (NextMessage(message))
            break;
        WaitForEvents();
    }
    messageTime_ = message.time;
    return message.message != WM_QUIT;
}

bool WindowSystem::PeekMessage(Message& message)
{
    waker_.Drain();
    if (!NextMessage(message))
        return false;
    messageTime_ = message.time;
    return true;
}

intptr_t WindowSystem::DispatchMessage(const Message& message)
{
    if (message.message == WM_QUIT)
        return 0;
    return CallProcedure(message.window, message.message, message.wParam, message.lParam);
}

intptr_t WindowSystem::DefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case WM_NCCREATE:
    case WM_NCACTIVATE:
        return 1;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_PAINT:
        ValidateRect(window, nullptr);
        return 0;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION && IsWindow(window)) {
            const Point at{SignedLow(lParam), SignedHigh(lParam)};
            const WindowHandle top = GetTopLevel(window);
            if (!backend_->BeginMoveDrag(top, at))
                input_->BeginManualMove(top, at);
        }
        return 0;
    default:
        return 0;
    }
}

bool WindowSystem::RunUntilIdle(int* exitCode)
{
    Message m;
    while (PeekMessage(m)) {
        if (m.message == WM_QUIT) {
            if (exitCode)
                *exitCode = static_cast<int>(m.wParam);
            return false;
        }
        DispatchMessage(m);
    }
    return true;
}

// ---------------------------------------------------------------- timers

bool WindowSystem::SetTimer(WindowHandle window, uintptr_t id, uint32_t elapseMs)
{
    if (!IsWindow(window))
        return false;
    timers_.Set(window, id, elapseMs, clock_.Now());
    waker_.Wake();
    return true;
}

bool WindowSystem::KillTimer(WindowHandle window, uintptr_t id) { return timers_.Kill(window, id); }

// ---------------------------------------------------------------- painting

bool WindowSystem::InvalidateRect(WindowHandle window, const Rect* rect, bool erase)
{
    {
        std::lock_guard lock(windowsMutex_);
        auto it = windows_.find(window);
        if (it == windows_.end())
            return false;
        Window& w = *it->second;
        const Rect client{0, 0, w.rect.Width(), w.rect.Height()};
        w.dirty = w.dirty.Union(rect ? rect->Intersect(client) : client);
        w.erase = w.erase || erase;
    }
    waker_.Wake();
    return true;
}

bool WindowSystem::ValidateRect(WindowHandle window, const Rect* rect)
{
    std::lock_guard lock(windowsMutex_);
    auto it = windows_.find(window);
    if (it == windows_.end())
        return false;
    Window& w = *it->second;
    // The dirty region is one rectangle: validating part of it keeps the rest by shrinking only when
    // the validated part covers a whole side.
    if (!rect || (rect->left <= w.dirty.left && rect->top <= w.dirty.top && rect->right >= w.dirty.right &&
                  rect->bottom >= w.dirty.bottom)) {
        w.dirty = {};
        w.erase = false;
    }
    return true;
}

Rect WindowSystem::GetUpdateRect(WindowHandle window) const
{
    std::lock_guard lock(windowsMutex_);
    auto it = windows_.find(window);
    return it == windows_.end() ? Rect{} : it->second->dirty;
}

bool WindowSystem::UpdateWindow(WindowHandle window)
{
    if (GetUpdateRect(window).IsEmpty() || !IsWindowVisible(window))
        return false;
    CallProcedure(window, WM_PAINT, 0, 0);
    return true;
}

PaintSession WindowSystem::BeginPaint(WindowHandle window)
{
    Window* w = Find(window);
    if (!w)
        return {};
    Rect update;
    bool erase = false;
    {
        std::lock_guard lock(windowsMutex_);
        update = w->dirty;
        erase = w->erase;
        w->dirty = {};
        w->erase = false;
    }
    const int width = w->rect.Width();
    const int height = w->rect.Height();
    if (w->surface.Width() != width || w->surface.Height() != height) {
        w->surface = Surface(width, height);
        update = {0, 0, width, height};
    }
    if (!w->surface.IsValid())
        return {};
    return PaintSession(this, window, update, erase, &w->surface);
}

void WindowSystem::EndPaint(WindowHandle window, const Rect& painted)
{
    Window* w = Find(window);
    if (w && w->surface.IsValid() && !painted.IsEmpty())
        backend_->Present(window, w->surface, painted);
}

Surface WindowSystem::CaptureWindow(WindowHandle window) const
{
    const Window* w = Find(window);
    if (!w)
        return {};
    Surface result = w->surface.IsValid() ? w->surface.Clone() : Surface(w->rect.Width(), w->rect.Height());
    if (!result.IsValid())
        return result;
    Canvas canvas(result);
    for (WindowHandle child : w->children) {
        const Window* c = Find(child);
        if (!c || !(c->style & WS_VISIBLE))
            continue;
        const Surface picture = CaptureWindow(child);
        if (c->exStyle & WS_EX_LAYERED)
            canvas.DrawSurface(picture, picture.Bounds(), c->rect);
        else
            canvas.CopySurface(picture, picture.Bounds(), {c->rect.left, c->rect.top});
    }
    return result;
}

// ---------------------------------------------------------------- pointer, keyboard, screen

bool WindowSystem::TrackMouseEvent(WindowHandle window, uint32_t flags, uint32_t hoverMs)
{
    return input_->TrackMouseEvent(window, flags, hoverMs);
}

Point WindowSystem::GetCursorPos() const { return input_->CursorPos(); }
int16_t WindowSystem::GetKeyState(uint32_t virtualKey) const { return input_->KeyState(virtualKey); }
uint32_t WindowSystem::GetDoubleClickTime() const { return input_->DoubleClickTime(); }
void WindowSystem::SetDoubleClickTime(uint32_t milliseconds) { input_->SetDoubleClickTime(milliseconds); }

void WindowSystem::SetCursor(CursorShape shape)
{
    if (shape == cursor_)
        return;
    cursor_ = shape;
    backend_->SetCursor(shape);
}

Rect WindowSystem::ScreenRect() const { return backend_->ScreenRect(); }
Rect WindowSystem::MonitorWorkArea(Point nearPoint) const { return backend_->WorkArea(nearPoint); }

// ---------------------------------------------------------------- native reports

void WindowSystem::NativeGeometryChanged(WindowHandle window, const Rect& screenRect)
{
    Window* w = Find(window);
    if (!w || w->parent || w->rect == screenRect)
        return;
    ApplyRect(window, screenRect, IsZoomed(window) ? SIZE_MAXIMIZED : SIZE_RESTORED);
    if ((w = Find(window)) && !(w->style & (WS_MINIMIZE | WS_MAXIMIZE)))
        w->restoreRect = w->rect;
}

void WindowSystem::NativeIconified(WindowHandle window, bool iconic)
{
    const Window* w = Find(window);
    if (!w || w->parent || !(w->style & WS_VISIBLE) || iconic == static_cast<bool>(w->style & WS_MINIMIZE))
        return;
    ShowWindow(window, iconic ? SW_SHOWMINNOACTIVE : SW_RESTORE);
}

void WindowSystem::NativeActivated(WindowHandle window, bool active)
{
    window = GetTopLevel(window);
    if (!window)
        return;
    if (active && IsWindowEnabled(window))
        SetActiveWindow(window);
    else if (!active && active_ == window)
        SetActiveWindow(0);
}

} // namespace Vinto
