#pragma once

namespace exchange {

// What an import made of the chosen file. Only Imported changed the store; every other answer
// left it exactly as it was.
enum class ImportStatus {
    Imported,     // the file was read into the store
    NoFile,       // nothing exists at the path
    NotReadable,  // the file cannot be read, is not well-formed XML or has more than one root
    WrongKind,    // a readable XML file whose root is not the expected element
    StoreFailed,  // the store refused the new record (macro files only)
};

}  // namespace exchange
