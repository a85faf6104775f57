#pragma once
// A control with a title, a font, a text colour, an alignment and one image strip of equal frames
// laid side by side (for a four-frame strip: normal, hover, pressed, disabled).
// Thread contract: UI thread, as MControl.

#include "vinto/core/MControl.h"
#include "vinto/platform/TextFormat.h"

#include <string>

namespace Vinto {

struct ImgResInfo;

class MControlFont : public MControl {
public:
    MControlFont(MObject* parent, uint32_t id, const Rect& rect, const wchar_t* title, int visible, int enabled,
                 int response);

    // --- Hooks, after MControl's
    virtual void SetTextFont(const wchar_t* name) { fontName_ = name ? name : L""; }
    virtual void SetTextColor(uint32_t argb) { textColor_ = argb; }
    // A skin file name; 1 when it loaded. Without a manager or on failure 0 and the image stays.
    virtual int SetImage(const wchar_t* fileName, int frameCount);
    virtual void SetControlTitle(const wchar_t* title) { title_ = title ? title : L""; }
    virtual const wchar_t* GetControlTitle() { return title_.c_str(); }

    void SetTitle(const wchar_t* title);
    const wchar_t* GetTitle() { return GetControlTitle(); }
    void SetAlignment(uint32_t h);
    void SetVAlignment(uint32_t v);
    void SetAlignment(uint32_t h, uint32_t v);
    void GetAlignment(uint32_t& h, uint32_t& v) const
    {
        h = hAlign_;
        v = vAlign_;
    }
    void SetFont(const wchar_t* name, int size, uint32_t style);
    void SetFontName(const wchar_t* name) { fontName_ = name ? name : L""; }
    void SetFontWidth(int size) { fontSize_ = size; }
    void SetFontStyle(uint32_t style) { fontStyle_ = style; }
    void SetTextRenderingHint(int hint) { renderingHint_ = hint; }
    const std::wstring& GetTextFont() const { return fontName_; }
    int GetFontWidth() const { return fontSize_; }
    uint32_t GetFontStyle() const { return fontStyle_; }
    uint32_t GetTextColor() const { return textColor_; }
    const std::wstring& GetImagePath() const { return imagePath_; }
    Size GetImageSize() const;
    void SetImageCount(int count) { frameCount_ = count; }
    int GetImageCount() const { return frameCount_; }
    const ImgResInfo* GetImage() const { return image_; }
    // The family text of this control is drawn with when the manager knows `name`; else empty.
    std::wstring GetFontFamily(const wchar_t* name);
    // The format DrawText needs for this control's font, colour and alignment.
    TextFormat MakeTextFormat() const;
    // Draws frame `frame` of the image strip stretched over `dest`; nothing without an image.
    void DrawImageFrame(Canvas& canvas, int frame, const Rect& dest) const;

private:
    std::wstring title_;
    std::wstring fontName_;
    std::wstring imagePath_;
    int fontSize_;
    uint32_t textColor_ = 0xFFFFFFFF;
    uint32_t fontStyle_ = 0;
    std::wstring privateFamily_;
    uint32_t hAlign_ = 0;
    uint32_t vAlign_ = 4;
    int renderingHint_ = 5;
    const ImgResInfo* image_ = nullptr;
    int frameCount_ = 4;
};

} // namespace Vinto
