#pragma once
// Where the program's own pictures, icons, cursor and help pages live among the compiled-in resources.
// Linking nm_resources registers them; nothing needs to be called first.

#include <QString>

namespace nm::res {

QString sunIcon();     // program and tray icon
QString benefitIcon(); // green tick in a green ring: list icon 2
QString avoidIcon();   // red cross in a red ring: list icon 1
QString neutralIcon(); // silver serving dish with a red cross: list icon 3
QString handCursor();  // 32 x 32, hot spot at handCursorHotSpot
inline constexpr int handCursorHotX = 11;
inline constexpr int handCursorHotY = 1;
QString titlePicture();    // the title banner, also the main frame's background
QString portraitPicture(); // the splash screen's picture
QString helpFolder();      // holds contents.htm and the topic pages
QString helpContentsPage();

} // namespace nm::res
