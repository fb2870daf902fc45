#pragma once

// The keypad zoom keys, on the held table: plus and minus step by 0.05, 0 resets,
// 1 forces 0.5 (unclamped that frame); otherwise the zoom stays within 0.05 .. 2.0.
void ApplyZoomKeys();
