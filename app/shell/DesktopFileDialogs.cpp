#include "app/shell/DesktopFileDialogs.h"

FileDialogAnswer DesktopFileDialogs::Ask(const FileDialogRequest& request)
{
    const FileDialogAnswer answer = portal_.Ask(request);
    if (answer.status != FileDialogAnswer::Status::Unavailable)
        return answer;
    return zenity_.Ask(request);
}
