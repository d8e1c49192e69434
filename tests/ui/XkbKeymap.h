// Test helper: gives the X server the keyboard layouts "us" and "gr" as two XKB groups.
#pragma once

namespace quorvel::test {

// Has the server compile and load the keymap (setxkbmap alone does not take effect under
// Xvfb). False without a display or when the server refuses the map.
bool LoadUsGreekKeymap();

}  // namespace quorvel::test
