#include "vinto/core/MControlFont.h"

#include "vinto/paint/ImgResInfo.h"
#include "vinto/paint/Manager.h"
#include "vinto/window/PaintManager.h"

namespace Vinto {

MControlFont::MControlFont(MObject* parent, uint32_t id, const Rect& rect, const wchar_t* title, int visible,
                           int enabled, int response)
    : MControl(parent, id, rect, visible, enabled, response), title_(title ? title : L""),
      fontName_(Manager::GetFontName()), fontSize_(Manager::GetFontWidth())
{
}

int MControlFont::SetImage(const wchar_t* fileName, int frameCount)
{
    if (GetManager() == nullptr || fileName == nullptr)
        return 0;
    const ImgResInfo* info = GetManager()->AddImgResInfo(fileName, frameCount);
    if (info == nullptr)
        return 0;
    image_ = info;
    imagePath_ = fileName;
    frameCount_ = info->frameCount;
    if (IsVisible())
        UpdateControl(1, 0);
    return 1;
}

void MControlFont::SetTitle(const wchar_t* title)
{
    SetControlTitle(title);
    if (IsVisible())
        UpdateControl(1, 0);
}

void MControlFont::SetAlignment(uint32_t h) { SetAlignment(h, vAlign_); }

void MControlFont::SetVAlignment(uint32_t v) { SetAlignment(hAlign_, v); }

void MControlFont::SetAlignment(uint32_t h, uint32_t v)
{
    if (h == hAlign_ && v == vAlign_)
        return;
    hAlign_ = h;
    vAlign_ = v;
    if (IsVisible())
        UpdateControl(1, 0);
}

void MControlFont::SetFont(const wchar_t* name, int size, uint32_t style)
{
    fontName_ = name ? name : L"";
    fontSize_ = size;
    fontStyle_ = style;
}

Size MControlFont::GetImageSize() const
{
    return image_ ? Size{image_->frameWidth, image_->height} : Size{};
}

std::wstring MControlFont::GetFontFamily(const wchar_t* name)
{
    if (GetManager() == nullptr || name == nullptr)
        return {};
    std::wstring family = GetManager()->FindTempFont(name);
    if (!family.empty())
        privateFamily_ = family;
    return family;
}

TextFormat MControlFont::MakeTextFormat() const
{
    TextFormat format;
    format.family = privateFamily_.empty() ? fontName_ : privateFamily_;
    format.pixelSize = fontSize_;
    format.style = fontStyle_;
    format.color = textColor_;
    format.hAlign = static_cast<int>(hAlign_);
    format.vAlign = static_cast<int>(vAlign_);
    return format;
}

void MControlFont::DrawImageFrame(Canvas& canvas, int frame, const Rect& dest) const
{
    if (image_ == nullptr || image_->image == nullptr)
        return;
    const Rect source = Rect::FromSize(frame * image_->frameWidth, 0, image_->frameWidth, image_->height);
    canvas.DrawSurface(image_->image->Frame(0), source, dest);
}

} // namespace Vinto
