#pragma once

#include <string>

#include "xml/XmlDocument.h"

namespace xml {

// Verifies that a document's element index describes its text: every entry lies inside the
// text and starts with '<', tag lengths and the unended flag agree with the text, children lie
// inside their parent's content in text order without overlapping, the family links and the
// first-child marks agree, depths follow the parents, and every entry is reached exactly once
// from the virtual root. Empty when all holds, else what is wrong first. Used by the tests and
// the fuzzer after every parse and edit.
std::string CheckIndex(const XmlDocument& document);

}  // namespace xml
