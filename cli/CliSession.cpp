#include "cli/CliSession.h"

#include "app/shell/ShellPaths.h"
#include "app/shell/UserSettings.h"
#include "cli/CommandStatus.h"
#include "cli/NumberArgument.h"
#include "common/TextConvert.h"

#include <cstdio>

namespace fs = std::filesystem;

namespace {

fs::path ProgramFolder()
{
    return fs::path(ToUtf8(GetProgramFolder()));
}

// The language the window shows: the stored one, else the desktop session's.
int ChosenLanguage(const UserSettings& settings)
{
    const int stored = settings.GetRegistryInt(L"LCID");
    return stored != 0 ? stored : UserInterfaceLanguageId();
}

} // namespace

CliSession::CliSession(const CommandLine& line)
    : line_(line), texts_(ProgramFolder() / "language", LanguageTexts::kFallbackLanguageId)
{
}

bool CliSession::Open(std::string& error)
{
    const fs::path program = ProgramFolder();
    if (!catalogue_.Load(program / "config.xml", program / "skins" / "theme1") || catalogue_.Models().empty()) {
        error = "no mouse model is catalogued in " + (program / "config.xml").string();
        return false;
    }
    const std::wstring deviceName = catalogue_.Software().caption;
    const UserSettings settings(deviceName);
    deviceType_ = catalogue_.ChooseDeviceType(settings.GetDeviceType());
    texts_.SetLanguageId(texts_.UsableLanguageId(ChosenLanguage(settings)));

    const std::wstring model = catalogue_.DeviceAttrOf(deviceType_);
    layout_.Load(DeviceLayout::FileFor(program / "device", model));

    const std::wstring dataFolder = GetUserDataFolder(deviceName);
    CreateFolderTree(dataFolder + L"db");
    if (!store_.OpenDeviceDatabase(fs::path(ToUtf8(dataFolder)), model)) {
        error = "cannot open the settings database " + store_.DatabasePath().string();
        return false;
    }
    profiles_ = std::make_unique<ProfileSetup>(store_, [this](int id) { return Text(id); });
    std::vector<ProfileRecord> list;
    profiles_->LoadProfiles(list);
    return true;
}

std::wstring CliSession::Text(int id) const
{
    return texts_.GetLangText(L"LAN", id);
}

bool CliSession::FindProfile(const std::string& named, int& profile)
{
    std::vector<ProfileRecord> list;
    store_.GetProfiles(list);
    const std::wstring name = FromUtf8(named);
    for (const ProfileRecord& record : list) {
        const bool byId = ParseInteger(named) == record.profile;
        if (byId || profiles_->DisplayName(record.name) == name || record.name == name) {
            profile = record.profile;
            return true;
        }
    }
    return false;
}

bool CliSession::TargetProfile(int& profile)
{
    if (!line_.Profile()) {
        profile = profiles_->ActiveProfile();
        return true;
    }
    if (!FindProfile(*line_.Profile(), profile)) {
        Fail("no profile " + *line_.Profile());
        return false;
    }
    return true;
}

bool CliSession::IsActiveProfile(int profile)
{
    return profiles_->ActiveProfile() == profile;
}

DeviceLink& CliSession::Link()
{
    if (!link_) {
        link_ = std::make_unique<DeviceLink>(catalogue_, deviceType_, line_.VirtualMouse(),
                                             line_.Trace() ? stdout : nullptr);
    }
    return *link_;
}
