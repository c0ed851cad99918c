#pragma once

#include <functional>
#include <string>

// Permission tests run the code under test as user "nobody" when the tests run as root (as
// CI does): root may write where nobody else may.
namespace Unprivileged {

constexpr unsigned kNobody = 65534;

bool TestsRunAsRoot();
// Makes nobody the owner of PATH, as a user owns the files in their own folders; nothing to do
// when the tests do not run as root.
bool GiveToNobody(const std::string& path);
// In a child process: becomes user and group nobody with no other groups when the tests run as
// root; false when that failed.
bool BecomeNobody();
// What to put in front of a command so that it runs as nobody with no other groups.
std::string CommandPrefix();
// Runs BODY in a forked child and returns what it returned. With UNPRIVILEGED, the child first
// becomes user and group nobody with no other groups, as CommandPrefix() would make it, when the
// tests run as root.
std::string InChild(const std::function<std::string()>& body, bool unprivileged = true);

} // namespace Unprivileged
