// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion_peer.h"

#include "program_link.h"

#include <cstdio>

namespace zorvat::companion {

CompanionPeer::CompanionPeer(const Options& options, ProgramLink& program,
                             std::function<void()> onEnough)
    : options_(options), program_(program), onEnough_(std::move(onEnough)) {}

void CompanionPeer::Message(int msg, int wParam, int lParam, const QDBusMessage& call) {
    std::printf("%d %d %d\n", msg, wParam, lParam);
    std::fflush(stdout);

    const auto request = options_.sendOn.find(msg);
    if (request != options_.sendOn.end())
        program_.send(request->second);
    // A hung companion: the call is taken but its answer never comes.
    if (options_.hang)
        call.setDelayedReply(true);
    if (++received_ == options_.exitAfter)
        onEnough_();
}

} // namespace zorvat::companion
