# Fails unless the dynamic symbols LIBRARY defines are exactly the 40 exports
# of the player interface.
execute_process(COMMAND nm -D --defined-only ${LIBRARY} OUTPUT_VARIABLE symbols
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^ \n]+\n" lines "${symbols}")
set(names "")
foreach(line IN LISTS lines)
  string(STRIP "${line}" name)
  list(APPEND names ${name})
endforeach()
list(SORT names)
set(expected
    TrevaneInfo zCloseVoice zDisplayOsd zDownload zGetGPSData zInit zOpen zOpenEx zOpenRx
    zOpenVoice zPlayMSG zRelease zSetAudioType zSetDivStatus zSetFullScreen zSetRecord
    zSetVoiceVolume zStartExtract zStopDownload zStopExtract zTellBegTime zTellCarId
    zTellDivStatus zTellEndTime zTellEvtInxHd zTellEvtInxUnit zTellFullScreenIdx
    zTellGopVersion zTellOpenedType zTellQuickInxHd zTellQuickInxUnit zTellSampleBits
    zTellSampleRate zTellScreenNum zTellStatusType zTellTimeInxHd zTellTimeInxUnit
    zTellTotalLen zTellVoiceVolume zTellp)
list(SORT expected)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "exported: ${names}\nexpected: ${expected}")
endif()
list(LENGTH names count)
message(STATUS "${count} exports")
