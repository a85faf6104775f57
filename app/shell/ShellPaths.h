#pragma once
// Where Pelmaro finds what it ships and where it keeps per-user files, and the two folder operations
// start-up needs. Folder results end in '/'.
// Thread contract: stateless functions, callable from any thread; the XDG variables are read on each call.

#include <filesystem>
#include <string>
#include <string_view>

// The running executable (/proc/self/exe).
std::filesystem::path GetExePath();

// Folder of the running executable.
std::wstring GetExeFolder();

// Folder of the assets (language files, skins, device descriptions): <executable folder>/../share/pelmaro/.
// The build tree and the installed prefix share this layout.
std::wstring GetProgramFolder();

// $XDG_DATA_HOME/<device name> Files/ (~/.local/share when the variable is unset or not absolute).
std::wstring GetUserDataFolder(std::wstring_view deviceName);

// $XDG_CONFIG_HOME/ (~/.config when the variable is unset or not absolute).
std::filesystem::path GetUserConfigFolder();

// The device name as one safe file-name component: '/' becomes '_', and a name that is empty or only
// dots gets a leading '_', so a caption can never point a path outside its parent folder.
std::string DeviceFileName(std::wstring_view deviceName);

// Creates the folder and every missing parent. True when the folder exists afterwards.
bool CreateFolderTree(std::wstring_view path);

// Removes the folder with everything in it, permanently. False, with nothing changed, when the path is
// not an existing folder, is relative, or is the root.
bool DeleteFolder(std::wstring_view path);
