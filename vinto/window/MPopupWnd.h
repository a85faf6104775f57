#pragma once
// A borderless popup that hosts controls and closes itself when it loses activation, so a press
// anywhere else dismisses it. Dispatch, creation of controls and closing are the dialog's.
// Thread contract: UI thread only.

#include "vinto/window/MDialog.h"

namespace Vinto {

class MPopupWnd : public MDialog {
public:
    const wchar_t* GetWindowClassName() const override { return L"MPopupWnd"; }
    intptr_t OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    int OnCreate(CreateStruct* create) override;

    void SetParent(MObject* owner) { owner_ = owner; }
    MObject* GetParent() const { return owner_; }
    // The owner's notification entry with id 0; 0 without an owner.
    int32_t SendMessageToParent(uint32_t code, uint32_t wParam, int32_t lParam);
    void CloseWindow();

private:
    MObject* owner_ = nullptr;
};

} // namespace Vinto
