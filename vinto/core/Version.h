#pragma once
// The toolkit's version, so a program can report which libvinto.so it loaded.
// Thread contract: callable from any thread.

namespace Vinto {

const char* Version();

} // namespace Vinto
