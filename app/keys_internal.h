// keys_internal.h - the view's side of the key-button table.
#pragma once

// The centre of the button for this key (letters in either case), if the
// table has one.
bool FindKeyButton(int key, float& x, float& y);
