#pragma once

namespace markwell {

// Ends the event loop normally on SIGTERM, SIGINT and SIGHUP (a log-out, kill, Ctrl+C),
// so that the window closes as it would from its menu and saves its settings.
void quitOnTerminationSignals();

} // namespace markwell
