// Composing the order text from the form, checking the fields with rules.
#pragma once

class CPage2;

// Room for the whole order: fixed pieces, every field at its read limit and
// the closing block that saving appends.
constexpr int OrderTextSize = 3000;   // placeholder until composition lands

// 0: text holds the complete order; 1: refused, a message was shown.
int ComposeOrderText(CPage2* page, char* text);
