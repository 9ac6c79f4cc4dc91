#!/bin/sh
# Stand-in for the Korvath engine: records the folder it was started in and
# its arguments, one per line, in "standin-engine.log" of that folder.
{
    pwd
    for arg in "$@"; do
        printf '%s\n' "$arg"
    done
} > standin-engine.log
