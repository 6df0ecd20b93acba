// The requests of the system catalog, as the client posts them: form fields in, tagged text out.
// Every field is untrusted: numbers must be numbers of their range, texts are unescaped and
// bounded, the combination list must be a playable system of the stated size, and texts that the
// reply carries as they are (author, e-mail, link) may not hold the reply's markup. A refused
// request is answered with one row holding "<error>".
#pragma once

#include "server/catalog_db.h"

#include <map>
#include <string>

namespace velmora::server {

// Form fields by name (the first value of each name).
using TFields = std::multimap<std::string, std::string>;

constexpr size_t kMaxRequestBytes = 4u << 20;  // the whole body of a request

std::string HandleSystemList(TCatalogDb& db, const TFields& fields);
std::string HandleSystemData(TCatalogDb& db, const TFields& fields);
std::string HandleSystemPut(TCatalogDb& db, const TFields& fields);

// The script catalog: the list under a filter, the text of one script (a download), a rating,
// the check of a title, publishing / replacing / deleting, and the ratings of one script.
std::string HandleScriptList(TCatalogDb& db, const TFields& fields);
std::string HandleScriptData(TCatalogDb& db, const TFields& fields);
std::string HandleScriptSetRate(TCatalogDb& db, const TFields& fields);
std::string HandleScriptCheckTitle(TCatalogDb& db, const TFields& fields);
std::string HandleScriptPut(TCatalogDb& db, const TFields& fields);
std::string HandleScriptRates(TCatalogDb& db, const TFields& fields);

// The reply of a refused request.
std::string ErrorReply(const std::string& message);

} // namespace velmora::server
