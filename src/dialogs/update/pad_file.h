// The published version in a PAD file (Portable Application Description):
// the text of /XML_DIZ_INFO/Program_Info/Program_Version.
#pragma once

#include <QByteArray>
#include <QString>

namespace kardomel {

struct TPadVersion {
  enum class TStatus {
    NotXml,  // not a well-formed document: the load failed
    NoNode,  // a document without the version element
    Found,
  };
  TStatus Status = TStatus::NotXml;
  QString Text;  // Found: the element's text, child elements included
};

// Reads Document with Qt's stream reader, which fetches nothing; a document
// that declares an external entity, or uses one it cannot expand, is
// unreadable.
TPadVersion ReadPadVersion(const QByteArray& document);

}  // namespace kardomel
