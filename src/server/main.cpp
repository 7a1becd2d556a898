// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/tserver.h"
#include "net/sockerror.h"
#include "server/serveroptions.h"
#include "core/signalwatcher.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>

using namespace brelvox;

namespace {

void say(std::FILE *stream, const QString &line)
{
    std::fputs(qPrintable(QStringLiteral("brelvox-server: ") + line + QLatin1Char('\n')), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ServerOptions options;
    if (!options.parse(app.arguments().mid(1))) {
        say(stderr, options.errorText());
        std::fputs("Try 'brelvox-server --help'.\n", stderr);
        return 2;
    }
    if (options.helpRequested()) {
        std::fputs(qPrintable(ServerOptions::usage()), stdout);
        return 0;
    }
    if (options.versionRequested()) {
        std::printf("brelvox-server %s%s\n", kProtocolVersion, kBuildSuffix);
        return 0;
    }

    SignalWatcher stops;
    if (!stops.watch({SIGINT, SIGTERM})) {
        say(stderr, QStringLiteral("cannot watch for SIGINT and SIGTERM"));
        return 1;
    }
    QObject::connect(&stops, &SignalWatcher::caught, &app, [&app] {
        say(stdout, QStringLiteral("stopping"));
        app.quit();
    });

    TServer server(options);
    server.turntimer().setInterval(options.turnTick());
    try {
        server.listen(options.port());
    } catch (const SockError &e) {
        say(stderr, QStringLiteral("cannot listen on port %1: %2").arg(options.port()).arg(e.message()));
        return 1;
    }
    say(stdout, QStringLiteral("listening on port %1").arg(server.port()));
    return app.exec();
}
