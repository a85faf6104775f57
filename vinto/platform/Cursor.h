#pragma once
// The pointer shapes the toolkit asks for.
// Thread contract: constants only.

namespace Vinto {

enum class CursorShape { Arrow, IBeam, Wait, Cross, SizeWE, SizeNS, Hand, Help };

} // namespace Vinto
