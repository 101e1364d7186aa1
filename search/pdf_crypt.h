#pragma once
// Encrypted PDF files that open without a password: the standard security
// handler with an empty user password, RC4 (40 to 128 bits), AES-128 and AES-256.
namespace trovex::search::pdf {

class Document;

// Checks the empty password against the file's /Encrypt dictionary and sets the
// document's stream decryptor. False: a password is needed, or the method is
// not supported.
bool SetUpDecryption(Document& document);

}  // namespace trovex::search::pdf
