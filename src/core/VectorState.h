#pragma once

// Qt 6.4's hash of strings and byte arrays (qHashBits), on processors with
// vector AES, returns from its 256-bit path with the upper halves of the ymm
// registers still in use. Until something clears them, every SSE instruction
// on such a processor carries a merge with them, and formatting or reading
// numbers runs three to four times slower (a state file of 100 factors and
// 5,000 vertices: 215 ms to write instead of 55). Any lookup in a QHash of
// strings, which the widgets do all the time, leaves the registers so.
//
// Core's bulk number work clears them on entry: the state file's writer and
// reader, the clipboard's tab text, and a NumberFormatter, made once for a
// table. The engine and the windows never call this themselves.

namespace zeltomir::core {

// Clears the upper halves of the vector registers where the processor has
// them (AVX); does nothing on other processors or compilers. A few cycles.
void ClearUpperVectorState();

} // namespace zeltomir::core
