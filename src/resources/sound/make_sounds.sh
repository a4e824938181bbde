#!/usr/bin/env bash
# Synthesises the eight alarm sounds that the first run offers, into the folder given as the
# first argument. Everything is made here from sine, triangle, sawtooth and noise generators;
# each sound is a few seconds long, peaks at -4 dBFS or lower, is no louder than -16 dBFS RMS
# and starts and ends with a short fade, so none of them startles or clips.
set -euo pipefail

out="${1:?usage: make_sounds.sh OUTPUT_FOLDER}"
mkdir -p "$out"
rm -f "$out"/*.mp3 "$out"/*.wav
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

rate=44100
# Repeatable mode: the noise generators and the dither start from a fixed seed, so every build
# makes the same files.
sox() { command sox -R "$@"; }
# sox with the rate, one channel and 32-bit float samples for the intermediate files.
gen() { sox -n -r "$rate" -c 1 -e floating-point -b 32 "$@"; }
silence() { gen "$1" trim 0 "$2"; }

# A bell struck again and again: inharmonic partials of one bell, amplitude-modulated by a
# sharp-attack exponential decay at the striking rate; `phase` (percent) offsets the strikes.
bell_roll() {
    local file=$1 len=$2 f=$3 rate_hz=$4 phase=$5 depth=$6
    gen "$file" synth "$len" sine "$f" \
        synth "$len" sine mix "$(awk "BEGIN{print $f*2.41}")" \
        synth "$len" sine mix "$(awk "BEGIN{print $f*3.87}")" \
        synth "$len" exp amod "$rate_hz" 0 "$phase" 4 "$depth" \
        gain -12
}

# One struck note of a tower bell: hum, prime, minor-third tierce, quint and nominal, each
# partial decaying at its own rate (the high ones faster), mixed.
tower_bell() {
    local file=$1 f=$2 len=$3
    local parts=() i=0
    # ratio  level  decay-in-2dB-steps over the note
    for partial in "0.5 0.18 14" "1.0 0.33 20" "1.19 0.15 24" "1.5 0.1 28" "2.0 0.2 30" "2.51 0.07 36" \
                "3.0 0.05 40"; do
        set -- $partial
        gen "$work/p$i.wav" synth "$len" sine "$(awk "BEGIN{print $f*$1}")" \
            synth "$len" exp amod "$(awk "BEGIN{print 1/$len}")" 0 0 0 "$3" gain -6
        parts+=(-v "$2" "$work/p$i.wav")
        i=$((i + 1))
    done
    sox -m "${parts[@]}" "$file"
}

# Places each "delay file" pair on one time line and mixes them.
mix_at() {
    local file=$1; shift
    local inputs=() i=0
    while [ $# -gt 0 ]; do
        sox "$2" "$work/at$i.wav" pad "$1"
        inputs+=("$work/at$i.wav")
        i=$((i + 1))
        shift 2
    done
    # -m divides every input by their number, which keeps the sum from clipping.
    if [ ${#inputs[@]} -eq 1 ]; then cp "${inputs[0]}" "$file"; else sox -m "${inputs[@]}" "$file"; fi
}

# Common finish: gentle band limits, a short fade in and out, peak at -4 dBFS, and the
# steady sounds (beeps, siren) turned down further so that none is louder than -16 dBFS RMS
# and the eight sound about as loud as one another; then the file's own format.
finish() {
    local in=$1 target=$2 fadeout=$3 rms
    sox "$in" -r "$rate" -c 1 "$work/peak.wav" highpass 80 lowpass 9000 \
        fade q 0.01 -0 "$fadeout" gain -n -4
    rms="$(sox "$work/peak.wav" -n stats 2>&1 | awk '/^RMS lev dB/ {print $4}')"
    sox "$work/peak.wav" "$work/final.wav" gain "$(awk "BEGIN{d = -16 - ($rms); print d < 0 ? d : 0}")"
    case "$target" in
        *.mp3) sox "$work/final.wav" -C 128 "$target" ;;
        *.wav) sox "$work/final.wav" -b 16 "$target" ;;
    esac
}

# Budzik: a twin-bell alarm clock, its hammer striking the two bells in turn 18 times a
# second, ringing in two bursts with a breath between them and a short ring-out.
budzik() {
    bell_roll "$work/ba.wav" 1.3 1760 9 0 6
    bell_roll "$work/bb.wav" 1.3 1975 9 50 6
    sox -m "$work/ba.wav" "$work/bb.wav" "$work/burst.wav" fade q 0.005 -0 0.04
    silence "$work/gap.wav" 0.35
    sox "$work/burst.wav" "$work/gap.wav" "$work/burst.wav" "$work/gap.wav" "$work/burst.wav" \
        "$work/ring.wav" pad 0 0.4 reverb 25 50 40
    finish "$work/ring.wav" "$out/Budzik.mp3" 0.4
}

# Telefon: an old telephone's bell, lower and faster than the alarm clock, in the double
# ring "brr-brr ... brr-brr".
telefon() {
    bell_roll "$work/ta.wav" 0.45 1020 12.5 0 5
    bell_roll "$work/tb.wav" 0.45 1210 12.5 50 5
    sox -m "$work/ta.wav" "$work/tb.wav" "$work/brr.wav" fade q 0.005 -0 0.03
    silence "$work/short.wav" 0.22
    silence "$work/long.wav" 1.1
    sox "$work/brr.wav" "$work/short.wav" "$work/brr.wav" "$work/long.wav" \
        "$work/brr.wav" "$work/short.wav" "$work/brr.wav" "$work/ring.wav" pad 0 0.3 \
        reverb 20 50 30
    finish "$work/ring.wav" "$out/Telefon.wav" 0.3
}

# Alarm: a digital alarm's "bip-bip-bip-bip", four groups, soft sine beeps with a little
# second harmonic rather than a square wave.
alarm() {
    gen "$work/b1.wav" synth 0.09 sine 1568 gain -6
    gen "$work/b2.wav" synth 0.09 sine 3136 gain -20
    sox -m "$work/b1.wav" "$work/b2.wav" "$work/beep.wav" fade q 0.006 -0 0.012
    silence "$work/in.wav" 0.06
    silence "$work/pause.wav" 0.42
    local group=("$work/beep.wav" "$work/in.wav" "$work/beep.wav" "$work/in.wav" "$work/beep.wav"
                 "$work/in.wav" "$work/beep.wav" "$work/pause.wav")
    sox "${group[@]}" "${group[@]}" "${group[@]}" "${group[@]}" "$work/all.wav" reverb 10 50 20
    finish "$work/all.wav" "$out/Alarm.mp3" 0.2
}

# Big ben: the quarter chimes of a clock tower (two changes of four bells, the last of each
# held) and then the deep strike of the hour bell, ringing out.
big_ben() {
    tower_bell "$work/gs.wav" 415.30 2.6
    tower_bell "$work/fs.wav" 369.99 2.6
    tower_bell "$work/e.wav" 329.63 2.6
    tower_bell "$work/b.wav" 246.94 3.0
    tower_bell "$work/hour.wav" 164.81 3.6
    mix_at "$work/chimes.wav" \
        0.0 "$work/gs.wav" 0.55 "$work/fs.wav" 1.1 "$work/e.wav" 1.65 "$work/b.wav" \
        2.75 "$work/e.wav" 3.3 "$work/gs.wav" 3.85 "$work/fs.wav" 4.4 "$work/b.wav" \
        5.7 "$work/hour.wav"
    sox "$work/chimes.wav" "$work/chimes2.wav" trim 0 8.6 reverb 40 50 80
    finish "$work/chimes2.wav" "$out/Big ben.mp3" 1.2
}

# Coo-coo: a cuckoo clock's two little pipes, "cu-koo" a major third apart, three times; a
# breath of noise gives the pipes their airy sound.
coo_coo() {
    pipe() {  # file frequency length
        gen "$work/pf.wav" synth "$3" sine "$2" gain -6
        gen "$work/ph.wav" synth "$3" sine "$(awk "BEGIN{print $2*2}")" gain -26
        gen "$work/pn.wav" synth "$3" pinknoise gain -30 bandpass "$2" 3q
        sox -m "$work/pf.wav" "$work/ph.wav" "$work/pn.wav" "$1" fade q 0.03 -0 0.08
    }
    pipe "$work/cu.wav" 740 0.2
    pipe "$work/koo.wav" 587.33 0.36
    silence "$work/in.wav" 0.07
    silence "$work/out.wav" 0.5
    local call=("$work/cu.wav" "$work/in.wav" "$work/koo.wav" "$work/out.wav")
    sox "${call[@]}" "${call[@]}" "${call[@]}" "$work/calls.wav" reverb 20 50 30
    finish "$work/calls.wav" "$out/Coo-coo.mp3" 0.3
}

# Flaga na maszt: a short rising bugle fanfare, played on the natural notes of a bugle,
# ending on a long high note with a gentle tremolo.
flaga_na_maszt() {
    local notes=() i=0
    horn() {  # frequency length
        gen "$work/n$i.wav" synth "$2" sawtooth "$1" gain -10 lowpass 2400 lowpass 3200 \
            fade q 0.025 -0 0.04
        notes+=("$work/n$i.wav")
        i=$((i + 1))
    }
    rest() { silence "$work/n$i.wav" "$1"; notes+=("$work/n$i.wav"); i=$((i + 1)); }
    local G4=392 C5=523.25 E5=659.26 G5=783.99 C6=1046.5
    horn $G4 0.14; horn $C5 0.14; horn $E5 0.3; rest 0.06
    horn $C5 0.14; horn $E5 0.14; horn $G5 0.42; rest 0.06
    horn $E5 0.12; horn $G5 0.12; horn $E5 0.12; horn $G5 0.12
    gen "$work/last.wav" synth 1.1 sawtooth $C6 gain -10 lowpass 2400 lowpass 3200 \
        tremolo 5.5 12 fade q 0.025 -0 0.5
    notes+=("$work/last.wav")
    sox "${notes[@]}" "$work/fanfare.wav" pad 0 0.3 reverb 30 50 50
    finish "$work/fanfare.wav" "$out/Flaga na maszt.mp3" 0.3
}

# Płacz tarzana: a jungle yell, a yodel of one voice flipping between a low and a high note
# with a vibrato, an "aah" vowel shaped by two formant peaks, and a long falling end.
placz_tarzana() {
    local bends=("0,700,0.18")  # scoop up into the first note
    local flip
    for flip in 1 2 3 4 5; do
        bends+=("0.12,1000,0.05" "0.1,30,0.04" "0.02,-60,0.05" "0,30,0.04"
                "0.03,-1000,0.05")
    done
    bends+=("0.1,1000,0.06" "0.12,40,0.05" "0,-80,0.06" "0,40,0.05" "0.1,-1700,0.7")
    gen "$work/voice.wav" synth 4.2 sawtooth 196 gain -14 bend "${bends[@]}"
    gen "$work/breath.wav" synth 4.2 pinknoise gain -40
    sox -m "$work/voice.wav" "$work/breath.wav" "$work/yell.wav" \
        equalizer 750 1.2q +10 equalizer 1150 1.5q +7 equalizer 2800 2q +3 lowpass 3500 \
        gain -n -6 pad 0 0.3 reverb 40 50 70
    finish "$work/yell.wav" "$out/Płacz tarzana.mp3" 0.5
}

# Syrena policyjna: the rising and falling wail of a police siren, twice.
syrena_policyjna() {
    gen "$work/siren.wav" synth 5.4 triangle 620 gain -10 \
        bend 0.15,1350,1.25 0,-1350,1.25 0,1350,1.25 0,-1350,1.25 lowpass 5000
    finish "$work/siren.wav" "$out/Syrena policyjna.mp3" 0.3
}

budzik
telefon
alarm
big_ben
coo_coo
flaga_na_maszt
placz_tarzana
syrena_policyjna
