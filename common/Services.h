#pragma once

#include <QList>
#include <QSslCertificate>
#include <QString>
#include <QUrl>

namespace tombolix {

class Prompter;
class Desktop;
class Clock;

// Where the program talks to over the network. The real program uses real(); tests point every
// address at a server on 127.0.0.1.
struct Endpoints {
    QString siteBase;  // the community site: scheme and host, "https://www.ppomppu.co.kr"
    QString imageHost; // the site's image server, as it appears in the old comment mark-up
    QUrl versionInfo;  // the maker's version information
    // The relays of the public random beacon (drand), scheme and host: two operators that
    // answer for the same rounds.
    QStringList beaconRelays;
    // Certificates trusted besides the system's, by the site's request object alone (a test's
    // own server); none in the real program.
    QList<QSslCertificate> extraTrust;

    static Endpoints real();
};

// The outside effects a window needs, handed in so that tests can replace each of them.
struct Services {
    Prompter &prompter;
    Desktop &desktop;
    Clock &clock;
    QString programFolder; // the folder that holds the program file
    QString filesFolder;   // where the program writes its files and its dialogs start
    Endpoints endpoints;
};

} // namespace tombolix
