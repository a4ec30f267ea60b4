// Opening the recorder's hard disk or SD card. The library looks for the
// device on its own thread and answers through OnSourceResult.
#pragma once

void SearchLocalHdd();
void SearchSdCard();
