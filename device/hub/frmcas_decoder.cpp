#include "tfrmcas.h"

namespace zorvat {

void TfrmCas::tmrRS232Timer() {}

} // namespace zorvat
