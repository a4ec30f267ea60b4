// The player's extraction sink between the source manager's extraction and
// the host's zExtractCallback: every extracted GOP is parsed (with audio) and
// forwarded with its GopInfo; a GOP that does not parse is not reported.
// Every other code is forwarded as it came, with a null record.
//
// The sink runs on the extraction thread only. It owns a decoder manager, a
// copy buffer of 12 MiB and a record with its audio buffer, made once per
// extraction and freed with the sink.
#pragma once

#include "player/source/ExtractCallback.h"
#include "shared/PlayerInterface.h"

ExtractCallback MakeExtractSink(zExtractCallback callback);
