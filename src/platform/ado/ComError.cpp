#include "platform/ado/ComError.h"

#include <sqlite3.h>

namespace ado {

std::string ComError::ErrorMessage() const { return sqlite3_errstr(static_cast<int>(m_code)); }

}  // namespace ado
