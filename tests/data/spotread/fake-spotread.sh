#!/bin/bash
# Stand-in for Argyll's spotread: replays its prompts and result lines on
# the terminal it is given. FAKE_SPOTREAD_MODE chooses the run:
#   normal     readings on each key, 'q' quits
#   calibrate  asks for calibration before the first reading
#   notfound   no instrument: an error, then exit 1
#   die        one reading, then the process is killed
#   silent     starts and never answers
mode=${FAKE_SPOTREAD_MODE:-normal}
echo "Setting up the instrument"
case $mode in
notfound)
    echo "Failed to initialise communications with instrument"
    echo "or wrong instrument or bad configuration!"
    echo "('No ports to open')"
    exit 1 ;;
silent)
    sleep 60; exit 0 ;;
calibrate)
    echo "Spot read needs a calibration before continuing"
    echo "Place cap on calibration tile and then hit any key to continue,"
    printf "or hit Esc or Q to abort: "
    IFS= read -r -s -n 1 key || exit 1
    echo
    echo "Calibration complete" ;;
esac
n=0
while :; do
    echo
    echo "Place instrument on spot to be measured,"
    printf "and then hit [SPACE] to start measurement, [Q] to quit: "
    IFS= read -r -s -n 1 key || exit 1
    echo
    case $key in q|Q) exit 0 ;; esac
    n=$((n + 1))
    case $n in
    1) echo " Result is XYZ: 41.234567 42.100000 30.000000, D50 Lab: 70.950000 3.250000 -1.500000" ;;
    2) echo " Result is XYZ: 10.000000 9.000000 8.000000, D50 Lab: 35.996000 8.490000 -20.100000" ;;
    *) echo " Result is XYZ: 95.000000 100.000000 82.000000, D50 Lab: 100.000000 0.000000 0.000000" ;;
    esac
    if [ "$mode" = die ]; then kill -9 $$; fi
done
