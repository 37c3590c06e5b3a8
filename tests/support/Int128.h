#pragma once

// Exact 128-bit arithmetic, the independent reference for the 64-bit wrapping rules.
__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;
