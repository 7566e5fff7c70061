#pragma once

#include <QString>
#include <QUrl>

namespace tombolix {

class Prompter;
class Desktop;
class Clock;

// Where the program talks to over the network. The real program uses real(); tests point every
// address at a server on 127.0.0.1.
struct Endpoints {
    QString siteHost;  // the community site, "host" or "host:port"
    QString imageHost; // the site's image server, as it appears in the comment mark-up
    QUrl versionInfo;  // the maker's version information

    static Endpoints real();
};

// The outside effects a window needs, handed in so that tests can replace each of them.
struct Services {
    Prompter &prompter;
    Desktop &desktop;
    Clock &clock;
    QString programFolder; // the folder that holds the program file
    Endpoints endpoints;
};

} // namespace tombolix
