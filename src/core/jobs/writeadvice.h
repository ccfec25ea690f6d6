#pragma once

#include <QStringList>

namespace zev {

struct WriteJobResult;

// After a write job that sent part of the plan and then failed or was stopped: what the radio
// holds now, the backup made before the write and how to put things right. Empty when the
// radio was not written to.
QStringList partialWriteAdvice(const WriteJobResult& result);

} // namespace zev
