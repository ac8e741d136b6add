#pragma once

#include <QCursor>
#include <QPixmap>

// Pictures and cursors of the program's resources, reached by the names the windows use.
// Pictures are loaded once and kept; cursors are made at each call.
class Resources {
public:
    static const QPixmap& Cerclefond();     // picture 168
    static const QPixmap& Vignette();       // picture 170
    static const QPixmap& Coin();           // picture 171
    static const QPixmap& FondLabyrinthe(); // picture 172
    static QCursor Curseurcoulchoosv2();    // cursor 168
    static QCursor MoveCurs();              // cursor 169
    static QIcon applicationIcon();
};
