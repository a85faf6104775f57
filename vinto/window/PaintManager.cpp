#include "vinto/window/PaintManager.h"

#include "vinto/core/ControlFactory.h"
#include "vinto/paint/Manager.h"
#include "vinto/paint/MRender.h"
#include "vinto/platform/FontLibrary.h"
#include "vinto/platform/Messages.h"
#include "vinto/platform/TooltipWindow.h"
#include "vinto/platform/Utf8.h"
#include "vinto/platform/WindowSystem.h"
#include "vinto/window/MAirBladder.h"
#include "vinto/window/MShadow.h"
#include "vinto/window/MWindow.h"

#include <algorithm>
#include <filesystem>

namespace Vinto {

namespace {

WindowSystem* System() { return WindowSystem::Current(); }

Point PointOf(intptr_t lParam) { return {SignedLow(lParam), SignedHigh(lParam)}; }

} // namespace

PaintManager::PaintManager() : borderColor_(Manager::GetSelectColorRef()) {}

PaintManager::~PaintManager()
{
    // Ticks must stop before the rest of the manager goes.
    CMTimer::KillTimer();
    DestroyData();
    DeleteList(areas_, areasLock_);
    DeleteList(controls_, controlsLock_);
}

bool PaintManager::IsLive() const { return window_ != 0 && System() != nullptr && System()->IsWindow(window_); }

void PaintManager::Init(WindowHandle window, MWindow* dialog)
{
    if (window == 0 || System() == nullptr || !System()->IsWindow(window))
        return;
    window_ = window;
    dialog_ = dialog;
    const std::string semibold = Manager::FontPath("OpenSans-Semibold.ttf");
    if (std::filesystem::exists(semibold))
        AddTempFont(L"Open Sans Semibold", semibold);
    initialised_ = true;
    scrollV_ = 102;
    scrollH_ = 101;
}

void PaintManager::Invalidate()
{
    if (IsLive())
        System()->InvalidateRect(window_, nullptr, false);
}

void PaintManager::InvalidateRect(const Rect& rect, int erase)
{
    if (!IsLive())
        return;
    if (layered_)
        System()->InvalidateRect(window_, nullptr, true);
    else
        System()->InvalidateRect(window_, &rect, erase != 0);
}

Rect PaintManager::GetClientRect() const { return IsLive() ? System()->GetClientRect(window_) : Rect{}; }

void PaintManager::SetCapture()
{
    if (IsLive())
        System()->SetCapture(window_);
}

void PaintManager::ReleaseCapture()
{
    if (IsLive() && System()->GetCapture() == window_)
        System()->ReleaseCapture();
}

int32_t PaintManager::OnControlUpdate(const Rect& rect, int resetCache, MControl* control)
{
    if (control == nullptr)
        return 0;
    if (resetCache == 1)
        control->SetUpdate(0, backColor_);
    Rect dirty = rect;
    if (initialised_) {
        bool passed = false;
        auto walk = [&](MControl::ControlList& list, std::recursive_mutex& lock) {
            std::lock_guard guard(lock);
            for (MControl* c : list) {
                if (c == control) {
                    passed = true;
                    continue;
                }
                if (passed && c->IsVisible() && c->GetRect().Intersects(rect)) {
                    dirty = dirty.Union(c->GetRect());
                    c->SetUpdate(0, backColor_);
                }
            }
        };
        walk(areas_, areasLock_);
        walk(controls_, controlsLock_);
    }
    InvalidateRect(dirty, 0);
    return 0;
}

void PaintManager::SetBackColor(uint32_t backColorRef, uint32_t borderColorRef)
{
    backColor_ = backColorRef;
    borderColor_ = borderColorRef;
}

int PaintManager::LoadBKImage(const wchar_t* skinFile)
{
    const ImgResInfo* info = images_.Add(skinFile, 1);
    if (info == nullptr)
        return 0;
    background_ = info;
    return 1;
}

void PaintManager::SetBackMode(int mode, int border)
{
    backMode_ = mode;
    backBorder_ = border;
}

void PaintManager::SetLayeredWindow(int layered)
{
    layered_ = layered ? 1 : 0;
    if (IsLive()) {
        uint32_t ex = System()->GetWindowLong(window_, GWL_EXSTYLE);
        ex = layered_ ? ex | WS_EX_LAYERED : ex & ~WS_EX_LAYERED;
        System()->SetWindowLong(window_, GWL_EXSTYLE, ex);
    }
}

// --- Window timers

bool PaintManager::IsReservedTimer(uint32_t id) const
{
    return id == 0 || id == kOverlayTimer || id == kOverlayFadeTimer || id == kOverlayStepTimer || id == kCaretTimer;
}

int PaintManager::SetTimer(MControl* control, uint32_t key, uint32_t elapseMs)
{
    if (control == nullptr || !IsLive())
        return 0;
    std::lock_guard guard(timerLock_);
    for (WindowTimer& t : timers_) {
        if (t.control == control && t.key == key) {
            if (!t.killed)
                return 0;
            if (!System()->SetTimer(window_, t.id, elapseMs))
                return 0;
            t.killed = false;
            return 1;
        }
    }
    // Ids cycle through 1..239 from 17 on; the manager's own ids and ids still held are skipped,
    // so a control's timer never fires another's handler.
    uint32_t id = 0;
    for (int tries = 0; tries < 240 && id == 0; ++tries) {
        const uint32_t candidate = ++timerCounter_ % 240;
        const bool held = std::any_of(timers_.begin(), timers_.end(), [candidate](const WindowTimer& t) {
            return t.id == candidate;
        });
        if (!IsReservedTimer(candidate) && !held)
            id = candidate;
    }
    if (id == 0 || !System()->SetTimer(window_, id, elapseMs))
        return 0;
    timers_.push_back({key, id, false, control});
    return 1;
}

int PaintManager::KillTimer(MControl* control, uint32_t key)
{
    std::lock_guard guard(timerLock_);
    for (WindowTimer& t : timers_) {
        if (t.control == control && t.key == key && !t.killed) {
            if (IsLive())
                System()->KillTimer(window_, t.id);
            t.killed = true;
            return 1;
        }
    }
    return 0;
}

void PaintManager::KillTimer(MControl* control)
{
    std::lock_guard guard(timerLock_);
    for (auto it = timers_.begin(); it != timers_.end();) {
        if (it->control == control) {
            if (IsLive())
                System()->KillTimer(window_, it->id);
            it = timers_.erase(it);
        } else {
            ++it;
        }
    }
}

void PaintManager::ClearTimers()
{
    std::lock_guard guard(timerLock_);
    for (const WindowTimer& t : timers_)
        if (IsLive())
            System()->KillTimer(window_, t.id);
    timers_.clear();
}

uint32_t PaintManager::GetTimerId(MControl* control, uint32_t key) const
{
    std::lock_guard guard(timerLock_);
    for (const WindowTimer& t : timers_)
        if (t.control == control && t.key == key)
            return t.id;
    return 0;
}

void PaintManager::OnTimerMessage(uint32_t id)
{
    if (id == kCaretTimer) {
        caretShown_ = !caretShown_;
        InvalidateRect(caretRect_, 0);
        return;
    }
    if (id == kOverlayStepTimer) {
        overlayShown_ = std::min(overlayShown_ + 2, overlayTarget_);
        if (overlayShown_ >= overlayTarget_)
            System()->KillTimer(window_, kOverlayStepTimer);
        Invalidate();
        return;
    }
    if (id == kOverlayFadeTimer) {
        overlayAlpha_ -= 10;
        if (overlayAlpha_ < 20) {
            overlayAlpha_ = 0;
            overlayText_.clear();
            System()->KillTimer(window_, kOverlayFadeTimer);
        }
        Invalidate();
        return;
    }
    std::vector<MControl*> due;
    {
        std::lock_guard guard(timerLock_);
        for (const WindowTimer& t : timers_)
            if (t.id == id && !t.killed)
                due.push_back(t.control);
    }
    for (MControl* c : due)
        c->OnTimer();
}

// --- Periodic tick

uint32_t PaintManager::SetMTimer(uint32_t periodMs)
{
    periodicId_ = CMTimer::SetTimer(periodMs, L"", 0);
    return periodicId_;
}

void PaintManager::KillMTimer(uint32_t id)
{
    CMTimer::KillTimer(id);
    if (id == periodicId_)
        periodicId_ = 0;
}

void PaintManager::KillMTimer() { KillMTimer(periodicId_); }

void PaintManager::AddMTimer(MControl* control)
{
    std::lock_guard guard(tickRegistryLock_);
    if (std::find(ticking_.begin(), ticking_.end(), control) == ticking_.end())
        ticking_.push_back(control);
}

void PaintManager::DeleteTimer(MControl* control)
{
    {
        std::lock_guard guard(tickRegistryLock_);
        ticking_.erase(std::remove(ticking_.begin(), ticking_.end(), control), ticking_.end());
    }
    // Waits out a tick that may still hold the control.
    std::lock_guard wait(tickLock_);
}

void PaintManager::OnMTimer(uint32_t id)
{
    if (id != periodicId_ || id == 0)
        return;
    std::lock_guard tick(tickLock_);
    std::vector<MControl*> now;
    {
        std::lock_guard guard(tickRegistryLock_);
        now = ticking_;
    }
    for (MControl* c : now)
        if (c->IsRunTimer() && c->IsVisible() && c->IsParentVisible())
            c->OnTimer();
}

// --- Caret

void PaintManager::CreateCaret(int width, int height)
{
    caretRect_.right = caretRect_.left + width;
    caretRect_.bottom = caretRect_.top + height;
}

void PaintManager::SetCaretPos(MControl* owner, uint32_t argbColor, int x, int y)
{
    const Rect old = caretRect_;
    caretRect_ = Rect::FromSize(x, y, old.Width(), old.Height());
    caretOwner_ = owner;
    caretColor_ = argbColor;
    InvalidateRect(old, 0);
    InvalidateRect(caretRect_, 0);
}

void PaintManager::ShowCaret(int show)
{
    if (!IsLive())
        return;
    caretWanted_ = show != 0;
    caretShown_ = caretWanted_;
    if (caretWanted_)
        System()->SetTimer(window_, kCaretTimer, System()->GetCaretBlinkTime());
    else
        System()->KillTimer(window_, kCaretTimer);
    InvalidateRect(caretRect_, 0);
}

void PaintManager::DrawCaret(Canvas& canvas, const Rect& paintRect)
{
    const bool windowFocused = IsLive() && System()->GetFocus() == window_;
    if (caretOwner_ == nullptr || !caretOwner_->IsFocused() || !windowFocused) {
        if (caretWanted_ && IsLive())
            System()->KillTimer(window_, kCaretTimer);
        caretWanted_ = false;
        caretShown_ = false;
        return;
    }
    if (caretShown_ && caretWanted_)
        canvas.FillSolidRect(caretRect_.Intersect(paintRect), (caretColor_ & 0x00FFFFFF) | 0xFE000000);
}

// --- Controls

MControl* PaintManager::CreateControl(int list, MObject* parent, const wchar_t* className, uint32_t id,
                                      const Rect& rect, const wchar_t* title, int first, int second)
{
    MControl* control =
        ControlFactory::Make(ControlFactory::Owner::Dialog, parent, this, className, id, rect, title, first, second);
    if (control != nullptr && (list == 0 || list == 1)) {
        std::lock_guard guard(list == 0 ? areasLock_ : controlsLock_);
        (list == 0 ? areas_ : controls_).push_back(control);
    }
    return control;
}

MControl* PaintManager::CreateControl(MObject* parent, const wchar_t* className, uint32_t id, const Rect& rect,
                                      const wchar_t* title, int first, int second)
{
    return CreateControl(1, parent, className, id, rect, title, first, second);
}

MControl* PaintManager::CreateArea(MObject* parent, const wchar_t* className, uint32_t id, const Rect& rect,
                                   const wchar_t* title, int first, int second)
{
    return CreateControl(0, parent, className, id, rect, title, first, second);
}

void PaintManager::AddControl(int list, MControl* control)
{
    if (control == nullptr)
        return;
    control->SetManager(this);
    std::lock_guard guard(list == 0 ? areasLock_ : controlsLock_);
    (list == 0 ? areas_ : controls_).push_back(control);
}

MControl* PaintManager::GetControl(uint32_t id) { return MControl::FindControl(controls_, areas_, id); }

void PaintManager::RemoveControl(MControl* control)
{
    bool found = false;
    for (auto [list, lock] : {std::pair{&areas_, &areasLock_}, std::pair{&controls_, &controlsLock_}}) {
        std::lock_guard guard(*lock);
        auto it = std::find(list->begin(), list->end(), control);
        if (it != list->end()) {
            list->erase(it);
            found = true;
        }
    }
    if (found)
        delete control;
}

void PaintManager::DeleteList(MControl::ControlList& list, std::recursive_mutex& lock)
{
    MControl::ControlList doomed;
    {
        std::lock_guard guard(lock);
        doomed.swap(list);
    }
    for (MControl* c : doomed)
        delete c;
}

void PaintManager::ClearAllControls()
{
    DeleteList(areas_, areasLock_);
    DeleteList(controls_, controlsLock_);
}

void PaintManager::ClearAreaControls() { DeleteList(areas_, areasLock_); }
void PaintManager::ClearControls() { DeleteList(controls_, controlsLock_); }

void PaintManager::ForgetControl(MControl* control)
{
    if (hover_ == control)
        hover_ = nullptr;
    if (focus_ == control)
        focus_ = nullptr;
    if (caretOwner_ == control)
        caretOwner_ = nullptr;
    KillTimer(control);
    DeleteTimer(control);
    if (MControl* parent = dynamic_cast<MControl*>(control->GetParantObject()))
        parent->ForgetControl(control);
}

// --- Caches

const ImgResInfo* PaintManager::AddImgResInfo(const wchar_t* fileName, int frameCount)
{
    return images_.Add(fileName, frameCount);
}

std::wstring PaintManager::AddTempFont(const wchar_t* familyName, const std::string& utf8Path)
{
    if (familyName == nullptr || !FontLibrary::Instance().AddFontFile(utf8Path))
        return {};
    const std::wstring family = Utf8ToWide(FontLibrary::Instance().ResolveFamily(WideToUtf8(familyName)));
    std::lock_guard guard(fontLock_);
    fonts_.emplace_back(familyName, family);
    return family;
}

std::wstring PaintManager::FindTempFont(const wchar_t* name)
{
    if (name == nullptr)
        return {};
    std::lock_guard guard(fontLock_);
    for (const auto& [key, family] : fonts_)
        if (key == name)
            return family;
    if (!FontLibrary::Instance().HasFamily(WideToUtf8(name)))
        return {};
    fonts_.emplace_back(name, name);
    return name;
}

void PaintManager::ClearTempFont()
{
    std::lock_guard guard(fontLock_);
    fonts_.clear();
}

// --- Focus

void PaintManager::SetFocusControl(MControl* control)
{
    if (control == focus_)
        return;
    if (focus_ != nullptr)
        focus_->SetControlFocus(0);
    if (control != nullptr)
        control->SetControlFocus(1);
    focus_ = control;
}

MControl* PaintManager::Focusable(bool forward)
{
    std::lock_guard guard(controlsLock_);
    const int n = static_cast<int>(controls_.size());
    auto at = [&](int i) { return controls_[forward ? i : n - 1 - i]; };
    auto eligible = [](MControl* c) { return c->IsVisible() && c->IsEnabled() && c->IsTabStop(); };
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (at(i) == focus_)
            start = i;
    for (int i = start + 1; i < n; ++i)
        if (eligible(at(i)))
            return at(i);
    if (start >= 0 || focus_ == nullptr)
        for (int i = 0; i < n; ++i)
            if (eligible(at(i)))
                return at(i);
    return nullptr;
}

MControl* PaintManager::GetNextFocusableControl() { return Focusable(true); }
MControl* PaintManager::GetPrevFocusableControl() { return Focusable(false); }

// --- Tooltip, balloon, overlay

void PaintManager::SetTooltip(const wchar_t* text, const Rect& rect)
{
    if (text == nullptr || *text == 0) {
        ClearTooltip();
        return;
    }
    tooltipText_ = text;
    if (!IsLive())
        return;
    WindowSystem* system = WindowSystem::Current();
    if (tooltip_ == nullptr && system != nullptr) {
        auto tip = std::make_unique<TooltipWindow>(*system);
        // A tip window the system refuses leaves tooltips off rather than failing the window.
        if (!tip->Create(window_))
            return;
        TextFormat font;
        font.family = Manager::GetFontName();
        font.pixelSize = 12;
        tip->SetFont(font);
        tooltip_ = std::move(tip);
    }
    if (tooltip_ == nullptr)
        return;
    const Point topLeft = system->ClientToScreen(window_, {rect.left, rect.top});
    tooltip_->Show(tooltipText_, Rect::FromSize(topLeft.x, topLeft.y, rect.Width(), rect.Height()));
}

void PaintManager::ClearTooltip()
{
    tooltipText_.clear();
    tooltipOwner_ = 0;
    if (tooltip_ != nullptr)
        tooltip_->Hide();
}

void PaintManager::SetAirBladderMsg(const wchar_t* text, Point screenPoint, int type, int mode)
{
    if (!IsLive())
        return;
    if (balloon_ == nullptr) {
        balloon_ = std::make_unique<MAirBladder>();
        balloon_->CreateBalloon(window_, *this);
    }
    balloon_->SetAirBladderMsg(text, screenPoint, type, mode);
}

void PaintManager::ShowAirBladder(int show, int id)
{
    if (balloon_ == nullptr)
        return;
    if (show) {
        if (!balloon_->IsPlaced())
            return;
        balloonId_ = id;
        balloon_->ShowWindow(SW_SHOWNOACTIVATE);
    } else if (id == 0 || id == balloonId_) {
        balloon_->ShowWindow(SW_HIDE);
    }
}

MShadow& PaintManager::CreateShadow()
{
    if (shadow_ == nullptr) {
        shadow_ = std::make_unique<MShadow>();
        if (IsLive())
            shadow_->Create(window_);
    }
    return *shadow_;
}

void PaintManager::DisableShadow() { shadow_.reset(); }

void PaintManager::FollowShadow(int shown)
{
    if (shadow_ == nullptr)
        return;
    if (shown)
        shadow_->Follow();
    else
        shadow_->ShowWindow(SW_HIDE);
}

void PaintManager::SetMessage(const wchar_t* text, const Rect& rect, int fontSize)
{
    overlayText_ = text ? text : L"";
    overlayRect_ = rect;
    overlayFontSize_ = fontSize;
    overlayAlpha_ = 255;
    Invalidate();
}

void PaintManager::SetProgress(int percent, const wchar_t* text, const Rect& rect)
{
    if (!IsLive())
        return;
    overlayText_ = text ? text : L"";
    const Rect client = GetClientRect();
    overlayRect_ = rect.IsEmpty() ? Rect{client.left, client.bottom - 60, client.right, client.bottom - 2} : rect;
    if (percent < 5) {
        System()->KillTimer(window_, kOverlayFadeTimer);
        overlayAlpha_ = 255;
    }
    if (overlayAlpha_ == 0)
        overlayAlpha_ = 255;
    overlayTarget_ = percent;
    if (std::abs(percent - overlayShown_) < 6 || percent < overlayShown_)
        overlayShown_ = percent;
    else
        System()->SetTimer(window_, kOverlayStepTimer, 10);
    if (percent >= 100)
        System()->SetTimer(window_, kOverlayFadeTimer, 50);
    Invalidate();
}

void PaintManager::PaintOverlay(Canvas& canvas)
{
    if (overlayText_.empty() || overlayAlpha_ <= 0)
        return;
    Surface layer(overlayRect_.Width(), overlayRect_.Height());
    if (!layer.IsValid())
        return;
    {
        Canvas c(layer);
        c.FillSolidRect(layer.Bounds(), 0xFF141414);
        c.DrawRectangle({1, 1, layer.Width() - 2.0, layer.Height() - 2.0}, {0xFF6D6D6D, 2});
        TextFormat format;
        format.family = Manager::GetFontName();
        format.pixelSize = overlayFontSize_;
        format.hAlign = TextFormat::kCenter;
        format.vAlign = TextFormat::kMiddle;
        format.wrap = true;
        c.DrawText(overlayText_, layer.Bounds().Inflate(-4, -2), format);
    }
    canvas.DrawSurface(layer, layer.Bounds(), overlayRect_, static_cast<uint8_t>(std::clamp(overlayAlpha_, 0, 255)));
}

// --- Painting

void PaintManager::Paint()
{
    WindowSystem* system = System();
    if (system->IsIconic(window_)) {
        system->ValidateRect(window_, nullptr);
        return;
    }
    PaintSession session = system->BeginPaint(window_);
    if (!session.IsValid() || session.UpdateRect().IsEmpty())
        return;
    const Rect client = system->GetClientRect(window_);
    if (backBuffer_.Width() != client.Width() || backBuffer_.Height() != client.Height())
        backBuffer_ = Surface(client.Width(), client.Height());
    if (!backBuffer_.IsValid())
        return;
    const Rect update = session.UpdateRect().Intersect(client);
    const Rect paintRect = layered_ ? client : update;
    {
        Canvas canvas(backBuffer_);
        canvas.PushClip(paintRect);
        // Every paint starts from an empty picture, as a fresh off-screen surface would.
        canvas.Clear(paintRect);
        if (background_ != nullptr) {
            const Surface& image = background_->image->Frame(0);
            if (backMode_ == 1)
                MRender::DrawImageFrame(canvas, image, client, 0, 0, image.Width(), image.Height(), backBorder_);
            else
                canvas.DrawSurface(image, image.Bounds(), image.Bounds());
        } else {
            canvas.FillSolidRect(client, ColorRefToArgb(borderColor_));
            canvas.FillSolidRect(client.Inflate(-1, -1), ColorRefToArgb(backColor_));
        }
        for (auto [list, lock] : {std::pair{&areas_, &areasLock_}, std::pair{&controls_, &controlsLock_}}) {
            std::lock_guard guard(*lock);
            for (MControl* c : *list)
                c->Draw(canvas, paintRect);
        }
        DrawCaret(canvas, paintRect);
        canvas.PopClip();
    }
    if (layered_) {
        // Pixels drawn without alpha keep their colour but would vanish; make them opaque.
        for (int y = paintRect.top; y < paintRect.bottom; ++y) {
            uint32_t* row = backBuffer_.Row(y);
            for (int x = paintRect.left; x < paintRect.right; ++x)
                if ((row[x] >> 24) == 0 && (row[x] & 0x00FFFFFF) != 0)
                    row[x] |= 0xFF000000;
        }
        backBuffer_.MarkDirty();
    }
    {
        Canvas canvas(backBuffer_);
        PaintOverlay(canvas);
    }
    Canvas target(session.GetSurface());
    target.CopySurface(backBuffer_, paintRect, {paintRect.left, paintRect.top});
}

// --- Input

int PaintManager::OnMouseMove(uint32_t flags, Point point)
{
    if (!tracking_)
        tracking_ = System()->TrackMouseEvent(window_, TME_LEAVE | TME_HOVER, 400);
    if (hover_ != nullptr) {
        if (hover_->PtInRect(point) && hover_->OnCheckMouseResponse(flags, point) && tracking_) {
            hover_->OnMouseMove(flags, point);
            return 1;
        }
        if (tooltip_ != nullptr)
            ClearTooltip();
    }
    if (leftPressed_)
        return 0;
    if (!tracking_) {
        hover_ = nullptr;
        return 0;
    }
    MControl* found = nullptr;
    {
        std::lock_guard guard(controlsLock_);
        for (MControl* c : controls_) {
            c->OnMouseMove(flags, point);
            if (c->PtInRect(point) && c->GetRresponse())
                found = c;
        }
    }
    hover_ = found;
    return found != nullptr;
}

void PaintManager::OnMouseLeave()
{
    ClearTooltip();
    tracking_ = false;
    if (!leftPressed_ && hover_ != nullptr) {
        hover_->OnMouseMove(0, {-1, -1});
        hover_ = nullptr;
    }
}

int PaintManager::OnButtonDown(bool left, uint32_t flags, Point point)
{
    if (left)
        doubleClicked_ = false;
    if (focus_ != nullptr && focus_ != hover_) {
        focus_->SetControlFocus(0);
        focus_ = nullptr;
    }
    MControl* c = hover_;
    if (c != nullptr && c->IsVisible() && c->GetRresponse() && c->PtInRect(point) &&
        c->OnCheckMouseResponse(flags, point)) {
        (left ? leftPressed_ : rightPressed_) = true;
        focus_ = c;
        const int handled = left ? c->OnLButtonDown(flags, point) : c->OnRButtonDown(flags, point);
        if (!captured_ && hover_ == c && c->OnCheckMouseResponse(flags, point)) {
            SetCapture();
            captured_ = true;
            return 1;
        }
        return handled ? 1 : 0;
    }
    if (left && dragWindow_ && captionRect_.Contains(point)) {
        ReleaseCapture();
        const Point screen = System()->ClientToScreen(window_, point);
        System()->SendMessage(window_, WM_NCLBUTTONDOWN, HTCAPTION, MakeLParam(screen.x, screen.y));
        return 1;
    }
    return 0;
}

int PaintManager::OnButtonUp(bool left, uint32_t flags, Point point)
{
    if (captured_) {
        ReleaseCapture();
        captured_ = false;
    }
    (left ? leftPressed_ : rightPressed_) = false;
    MControl* c = hover_;
    if (c != nullptr && c->IsVisible() && c->GetRresponse()) {
        const bool inside = c->GetRect().Contains(point);
        if (left)
            c->OnLButtonUp(flags, point);
        else
            c->OnRButtonUp(flags, point);
        if (!inside && hover_ == c)
            hover_ = nullptr;
    }
    doubleClicked_ = false;
    return 1;
}

int PaintManager::OnLButtonDblClk(uint32_t flags, Point point)
{
    doubleClicked_ = true;
    MControl* c = hover_;
    if (c != nullptr && c->IsVisible() && c->GetRresponse()) {
        const bool inside = c->GetRect().Contains(point);
        c->OnLButtonDblClk(flags, point);
        if (!inside && hover_ == c)
            hover_ = nullptr;
        return 1;
    }
    return 0;
}

int PaintManager::OnMouseWheel(uintptr_t wParam, intptr_t lParam)
{
    const Point point = System()->ScreenToClient(window_, PointOf(lParam));
    const int notches = static_cast<int16_t>(HighWord(wParam)) / WHEEL_DELTA;
    const uint32_t down = notches <= 0 ? 1 : 0;
    int handled = 0;
    for (int i = 0; i < std::abs(notches); ++i) {
        if (hover_ != nullptr && hover_->OnScroll(1, down, point)) {
            handled = 1;
            continue;
        }
        std::lock_guard guard(controlsLock_);
        for (MControl* c : controls_)
            if (c->OnScroll(1, down, point)) {
                handled = 1;
                break;
            }
    }
    return handled;
}

uint32_t PaintManager::ModifiersNow()
{
    WindowSystem* system = System();
    if (system == nullptr)
        return 0;
    uint32_t m = 0;
    if (system->GetKeyState(VK_MENU) < 0)
        m |= kAlt;
    if (system->GetKeyState(VK_CONTROL) < 0)
        m |= kCtrl;
    if (system->GetKeyState(VK_SHIFT) < 0)
        m |= kShift;
    return m;
}

int PaintManager::OnKeyDown(uint32_t vk)
{
    const uint32_t modifiers = ModifiersNow();
    if (hover_ != nullptr && hover_->OnKeyDown(vk, 1, modifiers))
        return 1;
    std::lock_guard guard(controlsLock_);
    for (MControl* c : controls_)
        if (c->OnKeyDown(vk, 1, modifiers))
            break;
    return 1;
}

void PaintManager::OnActivate(bool active)
{
    active_ = active ? 1 : 0;
    if (!active) {
        tracking_ = false;
        captured_ = false;
        doubleClicked_ = false;
        if (hover_ != nullptr) {
            if (leftPressed_)
                hover_->OnLButtonUp(0, {-1, -1});
            else
                hover_->OnMouseMove(0, {-1, -1});
        }
        leftPressed_ = false;
        hover_ = nullptr;
    }
    if (layered_)
        InvalidateRect(GetClientRect(), 1);
    else
        Invalidate();
}

void PaintManager::OnMinMaxInfo(MinMaxInfo* info)
{
    if (info == nullptr)
        return;
    if (minSize_.width > 0)
        info->minTrackSize.x = minSize_.width;
    if (minSize_.height > 0)
        info->minTrackSize.y = minSize_.height;
    if (maxSize_.width > 0)
        info->maxTrackSize.x = info->maxSize.x = maxSize_.width;
    if (maxSize_.height > 0)
        info->maxTrackSize.y = info->maxSize.y = maxSize_.height;
    const Rect work = System()->MonitorWorkArea({0, 0});
    info->maxPosition = {work.left, work.top};
    info->maxSize = {work.Width(), work.Height()};
}

intptr_t PaintManager::OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    {
        std::lock_guard guard(controlsLock_);
        for (MControl* c : controls_)
            if (c->OnWindowMessage(msg, wParam, lParam))
                return 0;
    }
    if (System() == nullptr || window_ == 0)
        return 0;
    switch (msg) {
    case WM_PAINT:
        Paint();
        return 1;
    case WM_GETMINMAXINFO:
        OnMinMaxInfo(reinterpret_cast<MinMaxInfo*>(lParam));
        return 1;
    case WM_NCDESTROY:
        DestroyData();
        return 1;
    case WM_CREATE:
    case WM_DESTROY:
    case WM_SIZE:
    case WM_CHAR:
    case WM_RBUTTONDBLCLK:
    case WM_MOUSEHOVER:
        return 1;
    case WM_NCACTIVATE:
        OnActivate(wParam != 0);
        return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return OnKeyDown(static_cast<uint32_t>(wParam));
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return 0;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (lParam != 0 && System()->IsWindow(static_cast<WindowHandle>(lParam)))
            return System()->SendMessage(static_cast<WindowHandle>(lParam), msg + 0x2000, wParam, lParam);
        return 0;
    case WM_TIMER:
        OnTimerMessage(static_cast<uint32_t>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        return OnMouseMove(static_cast<uint32_t>(wParam), PointOf(lParam)) ? 1 : 0;
    case WM_LBUTTONDOWN:
        return OnButtonDown(true, static_cast<uint32_t>(wParam), PointOf(lParam));
    case WM_RBUTTONDOWN:
        return OnButtonDown(false, static_cast<uint32_t>(wParam), PointOf(lParam));
    case WM_LBUTTONUP:
        return OnButtonUp(true, static_cast<uint32_t>(wParam), PointOf(lParam));
    case WM_RBUTTONUP:
        return OnButtonUp(false, static_cast<uint32_t>(wParam), PointOf(lParam));
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClk(static_cast<uint32_t>(wParam), PointOf(lParam));
    case WM_MOUSEWHEEL:
        return OnMouseWheel(wParam, lParam);
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    default:
        return 0;
    }
}

int PaintManager::PreTranslateMessage(const Message& msg)
{
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.wParam == VK_TAB &&
        msg.window == window_) {
        const uint32_t modifiers = ModifiersNow();
        MControl* next = nullptr;
        if (modifiers == 0)
            next = GetNextFocusableControl();
        else if (modifiers == kShift)
            next = GetPrevFocusableControl();
        else
            return 0;
        if (next != focus_) {
            SetFocusControl(next);
            return 1;
        }
    }
    return 0;
}

void PaintManager::OnDestroyMessage(WindowHandle window)
{
    if (window == window_)
        DestroyData();
}

void PaintManager::DestroyData()
{
    if (!initialised_)
        return;
    initialised_ = false;
    KillMTimer();
    ClearTimers();
    balloon_.reset();
    tooltip_.reset();
    shadow_.reset();
    ClearAllControls();
    background_ = nullptr;
    ClearImgResInfo();
    ClearTempFont();
    backBuffer_ = Surface();
    window_ = 0;
}

} // namespace Vinto
