#!/bin/sh
# SPDX-License-Identifier: GPL-2.0-or-later
# retry.sh RUNS COMMAND...: runs COMMAND until it succeeds, at most RUNS times, and ends with its
# last status. Each failed run but the last is announced, so that a run that passed on a second
# try is seen in the log.
runs=$1
shift
run=1
while :; do
    "$@"
    status=$?
    [ "$status" -eq 0 ] && exit 0
    [ "$run" -ge "$runs" ] && exit "$status"
    echo "retry.sh: run $run of at most $runs ended with status $status ($*); running it again"
    run=$((run + 1))
done
