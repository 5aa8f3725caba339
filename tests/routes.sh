# Shared by the script tests that play the story on a front end (sourced;
# bash): the story's routes, counted by the story's own engine, and the save
# the Linux game writes after the same presses. The sourcing script sets top
# (the source tree), work (a scratch folder) and BARMEN_STORY.

declare -A key_button=([p]=Command6 [1]=Command2 [2]=Command3 [3]=Command4
                       [start]=Command7 [save]=Command8 [load]=Command9)

# route STEP...: the keys of barmen-story play, with "p>LABEL" standing for
# as many progress presses as reach LABEL's scene; the story's own engine
# counts them, so the route follows every edit of the story.
route() {
    local keys=() step
    for step; do
        if [[ $step == p\>* ]]; then
            local target=${step#p>} n
            n=$(cd "$top/assets" && "$BARMEN_STORY" play "${keys[@]}" 'p*300' |
                sed -n 's/^\[\([0-9]*\)\] [^ ]* -> "\([^"]*\)".*/\1\t\2/p' |
                awk -F'\t' -v t="$target" -v k=${#keys[@]} '$1 > k && $2 == t { print $1 - k; exit }')
            [ -n "$n" ] || { echo "route: $target cannot be reached" >&2; return 1; }
            for _ in $(seq "$n"); do keys+=(p); done
        else
            keys+=("$step")
        fi
    done
    echo "${keys[@]}"
}

# linux_save KEY...: the save.sav the Linux game's engine writes after the keys.
linux_save() {
    local folder
    folder=$(mktemp -d "$work/linux.XXXX")
    (cd "$folder" && "$BARMEN_STORY" play --assets "$top/assets" "$@" save > /dev/null)
    cat "$folder/save.sav" | od -An -tx1 | tr -d ' \n'
}

