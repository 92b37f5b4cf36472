// Hints on menu-bar entries, which the toolkit's menu bar does not show by itself.
#pragma once

#include <QMenuBar>

// Shows an entry's hint (its action's tool tip) while the mouse rests on the entry. Entries
// without a hint of their own show nothing.
void ShowMenuBarHints(QMenuBar* bar);
