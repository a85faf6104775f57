#pragma once
// The program's file dialogs: the desktop portal's when one answers, zenity's otherwise.
// Thread contract: like PortalFileDialogs and ZenityFileDialogs, one dialog at a time.

#include "app/shell/PortalFileDialogs.h"
#include "app/shell/ZenityFileDialogs.h"

class DesktopFileDialogs : public FileDialogs {
public:
    FileDialogAnswer Ask(const FileDialogRequest& request) override;

private:
    PortalFileDialogs portal_;
    ZenityFileDialogs zenity_;
};
