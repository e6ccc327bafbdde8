#include "dialogs/update/pad_file.h"

#include <QStringList>
#include <QXmlStreamReader>

namespace kardomel {

TPadVersion ReadPadVersion(const QByteArray& document) {
  static const QStringList kPath = {"XML_DIZ_INFO", "Program_Info", "Program_Version"};
  QXmlStreamReader reader(document);
  QStringList path;
  TPadVersion result;
  result.Status = TPadVersion::TStatus::NoNode;
  bool found = false;
  int insideVersion = 0;  // element depth within the version element, 0 outside
  while (!reader.atEnd()) {
    QXmlStreamReader::TokenType token = reader.readNext();
    if (token == QXmlStreamReader::DTD) {
      // The reader drops external entities silently; a document that needs
      // one is not read with holes in it.
      for (const QXmlStreamEntityDeclaration& entity : reader.entityDeclarations())
        if (!entity.systemId().isEmpty() || !entity.publicId().isEmpty())
          reader.raiseError(QStringLiteral("external entity"));
      if (reader.hasError()) break;
    }
    if (token == QXmlStreamReader::EntityReference) {
      reader.raiseError(QStringLiteral("unresolved entity"));
      break;
    }
    if (token == QXmlStreamReader::StartElement) {
      path.append(reader.name().toString());
      if (insideVersion > 0) {
        ++insideVersion;
      } else if (!found && path == kPath) {
        found = true;
        insideVersion = 1;
      }
    } else if (token == QXmlStreamReader::EndElement) {
      path.removeLast();
      if (insideVersion > 0) --insideVersion;
    } else if (token == QXmlStreamReader::Characters && insideVersion > 0) {
      result.Text += reader.text();
    }
  }
  if (reader.hasError()) return TPadVersion{};
  if (found) result.Status = TPadVersion::TStatus::Found;
  return result;
}

}  // namespace kardomel
