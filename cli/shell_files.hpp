// The files a package installs beside the program, made from the command table so that they
// never differ from --help: the man page (roff) and the bash and zsh completion scripts.
#pragma once

#include <string>

namespace tintbox::cli {

std::string manPage();
std::string bashCompletion();
std::string zshCompletion();

} // namespace tintbox::cli
