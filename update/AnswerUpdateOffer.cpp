#include "update/AnswerUpdateOffer.h"

#include "update/PackageKind.h"
#include "update/UpdateWindow.h"

namespace {

constexpr int kNewVersionText = 112;
constexpr int kUpdateNowText = 114;
constexpr int kDriverTitleText = 108;
constexpr int kFirmwareTitleText = 109;
constexpr int kYesNoStyle = 4;
constexpr int kYes = 1;

} // namespace

int AnswerUpdateOffer(UpdateWindow& window, std::uintptr_t kind, const std::wstring& version)
{
    int title;
    int task;
    if (kind == static_cast<std::uintptr_t>(PackageKind::DriverPackage)) {
        title = kDriverTitleText;
        task = UpdateWindow::kDriverPackageTask;
    } else if (kind == static_cast<std::uintptr_t>(PackageKind::FirmwareTool)) {
        title = kFirmwareTitleText;
        task = UpdateWindow::kFirmwareToolTask;
    } else {
        return 1;
    }
    std::wstring message =
        window.LanguageText(kNewVersionText) + L":v" + version + L", " + window.LanguageText(kUpdateNowText);
    if (window.AskUser(message, window.LanguageText(title), kYesNoStyle) == kYes)
        window.QueueTask(task);
    return 1;
}
