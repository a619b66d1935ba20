# Sourced by the scripts. `phase NAME COMMAND...` runs COMMAND and, when
# TAMSEL_PHASE_LOG names a file, adds NAME and its wall time in seconds to it,
# so that scripts/test can say at the end where its time went.
phase() {
  local name=$1 start=$SECONDS status=0
  shift
  "$@" || status=$?
  if [[ -n ${TAMSEL_PHASE_LOG:-} ]]; then
    printf '%s\t%d%s\n' "$name" $((SECONDS - start)) "$([[ $status == 0 ]] || echo ' (failed)')" >>"$TAMSEL_PHASE_LOG"
  fi
  return "$status"
}
