#pragma once
// What the service's first answer says about this member, and the captions
// each outcome shows. The host carries the outcome out.

#include "settings/KeyValueList.h"
#include "settings/KeyValueStore.h"

#include <string>

enum class LoginOutcome {
    Collision,     // the member is active elsewhere: the notice, then the saver ends
    RefusedGuest,  // refused with no credentials: the free guest account
    RefusedMember, // refused credentials: on as a guest
    Accepted,
};

// MemberCollision "failed" wins over MemberLogin "failed"; anything else,
// a missing key included, is accepted.
LoginOutcome JudgeLogin(const KeyValueList& answer, const std::string& memberLogin, const std::string& memberCode);

struct LoginCaptions {
    std::string main;
    std::string sub;
};

// The captions after a login that didn't collide, in the dictionary's language.
LoginCaptions LoginCaptionsFor(LoginOutcome outcome, const KeyValueStore& dictionary, const std::string& memberLogin);

// A refused login goes on as a guest, asking no more often than this.
constexpr int GuestMinimumSeconds = 50;
