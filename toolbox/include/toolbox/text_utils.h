// Text Utilities: numbers to and from length-prefixed decimal text.
#pragma once

#include "toolbox/mac_types.h"

void NumToString(SInt32 value, StringPtr text);
// Leading '+' or '-' then digits; stops at the first other character.
void StringToNum(ConstStr255Param text, SInt32* value);
