#include "service/LoginOutcome.h"

LoginOutcome JudgeLogin(const KeyValueList& answer, const std::string& memberLogin, const std::string& memberCode)
{
    if (answer.GetString("MemberCollision", "ok") == "failed")
        return LoginOutcome::Collision;
    if (answer.GetString("MemberLogin", "ok") == "failed")
        return memberLogin.empty() && memberCode.empty() ? LoginOutcome::RefusedGuest : LoginOutcome::RefusedMember;
    return LoginOutcome::Accepted;
}

LoginCaptions LoginCaptionsFor(LoginOutcome outcome, const KeyValueStore& dictionary, const std::string& memberLogin)
{
    switch (outcome) {
    case LoginOutcome::RefusedGuest:
        return {dictionary.GetString("Hint", ""),
                dictionary.GetString("WelcomeMessage", "Welcome to the free guest account.")};
    case LoginOutcome::RefusedMember:
        return {dictionary.GetString("Error", ""),
                dictionary.GetString("LoginFailed", "Login failed.") + " " +
                    dictionary.GetString("UsingGuestAccount", "Using anonymous login.")};
    case LoginOutcome::Accepted:
    case LoginOutcome::Collision:
        break;
    }
    return {dictionary.GetString("Hint", ""),
            dictionary.GetString("LoggedInAs", "Logged in successfully as") + ": " + memberLogin};
}
