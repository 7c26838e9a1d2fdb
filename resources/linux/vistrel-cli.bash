# bash completion for vistrel-cli
_vistrel_cli() {
  local cur prev commands options
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  commands="format rtf resample thumbs snapshot search verify merge"
  if [ "$COMP_CWORD" -eq 1 ]; then
    COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
    return
  fi
  case $prev in
    --style) COMPREPLY=($(compgen -d -- "$cur")); return ;;
    --base) COMPREPLY=($(compgen -W "0 1 2 3 4 5 6" -- "$cur")); return ;;
    --mask|--width|--height|--scale|--shade|--border|--bg|--shade-col|--border-col|--timeout|--pages)
      return ;;
  esac
  case ${COMP_WORDS[1]} in
    format) options="--style --help" ;;
    rtf) options="--help" ;;
    resample) options="--help" ;;
    thumbs) options="--base --timeout --pages --quiet --verbose --help" ;;
    snapshot) options="--width --height --scale --shade --border --crop-h --crop-v --bg
                       --shade-col --border-col --timeout --bmp --quiet --verbose -o --help" ;;
    search) options="--mask --no-subfolders --json --quiet --help" ;;
    verify) options="--update --json --quiet --help" ;;
    merge) options="-o --help" ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
  elif [ "${COMP_WORDS[1]}" = search ]; then
    COMPREPLY=($(compgen -d -- "$cur"))
  else
    COMPREPLY=($(compgen -f -- "$cur"))
  fi
}
complete -o filenames -F _vistrel_cli vistrel-cli
