#pragma once
// The window's answer to the update offer (message 1692, wParam = kind): asks the user in the
// program's message box whether to update, and on yes queues the worker task that fetches the
// package (kind 1, the driver package: task 21; kind 2, the firmware tool: task 22). The offer carries no address: the task fetches
// only what the manifest names. Other kinds are ignored.
// Thread contract: UI thread.

#include <cstdint>
#include <string>

class UpdateWindow;

// version: the offered version shown to the user. Always returns 1, the message's result.
int AnswerUpdateOffer(UpdateWindow& window, std::uintptr_t kind, const std::wstring& version);
