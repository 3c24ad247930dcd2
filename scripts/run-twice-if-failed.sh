#!/usr/bin/env bash
# Runs a sound test, and once more if it fails. For two servers whose own
# feed now and then runs dry on the virtual machines the tests run on, for
# any client, inserting a few milliseconds of silence into a clip:
#   - PipeWire's PulseAudio service (pacat too, one clip in forty; about one
#     run in five of the sound tests);
#   - Wine's sound driver, whose 30 ms buffer to PulseAudio runs dry when
#     the machine is busy (the back end's own buffer then still holds 75 ms).
# PulseAudio alone, whose sink only moves as its reader reads, has not in our
# runs. A fault that shows every time fails both runs.
#   run-twice-if-failed.sh WHY TEST [ARGUMENTS...]
why=$1
shift
"$@" && exit 0
echo "--- failed; once more, as $why" >&2
exec "$@"
