# CUPS helpers for test.sh.  Source after scripts/common.sh.
#
#   kv_cups_setup   make sure cupsd runs and the cups-pdf queue KelvanePDF
#                   exists, print a probe page, and export
#                   KELVANE_CUPS_PDF_DIR (the folder the PDFs land in).
#                   Never fails: when something is missing it prints one
#                   warning line and leaves KELVANE_CUPS_PDF_DIR and PRINTER
#                   unset; the real-printer tests then fail when CI is set
#                   (a CI run must print for real) and skip themselves
#                   elsewhere.

KV_QUEUE="KelvanePDF"
KV_CUPS_PDF_CONF="/etc/cups/cups-pdf.conf"
KV_CUPS_WAIT_SECONDS=20   # for cupsd to answer
KV_PROBE_WAIT_SECONDS=30  # for the probe PDF to appear

# cupsenable, cupsaccept and lpadmin live in /usr/sbin.
case ":$PATH:" in *:/usr/sbin:*) ;; *) PATH="$PATH:/usr/sbin:/sbin" ;; esac

kv_cups_running() {
    lpstat -r 2>/dev/null | grep -q '^scheduler is running'
}

# Start cupsd when it is not running; wait until lpstat answers.
kv_cups_start() {
    kv_cups_running && return 0
    kv_say "CUPS is not running; starting it"
    local log="${TMPDIR:-/tmp}/kelvane-cupsd-start.log"
    if [ -d /run/systemd/system ] && command -v systemctl >/dev/null 2>&1; then
        kv_as_root systemctl start cups </dev/null >"$log" 2>&1 || true
    fi
    if ! kv_cups_running; then
        local cupsd
        cupsd="$(command -v cupsd || echo /usr/sbin/cupsd)"
        [ -x "$cupsd" ] || return 1
        # cupsd puts itself in the background; keep it off our output.
        kv_as_root "$cupsd" </dev/null >>"$log" 2>&1 || return 1
    fi
    local i
    for ((i = 0; i < KV_CUPS_WAIT_SECONDS * 2; i++)); do
        kv_cups_running && return 0
        sleep 0.5
    done
    return 1
}

# Print the lpadmin arguments that pick the cups-pdf PPD on this machine.
kv_cups_pdf_ppd_args() {
    local models pattern model
    models="$(lpinfo -m 2>/dev/null | awk '{print $1}')"
    for pattern in 'cups-pdf/CUPS-PDF_opt\.ppd$' 'cups-pdf/CUPS-PDF_noopt\.ppd$' 'cups-pdf'; do
        model="$(grep -i -m1 -- "$pattern" <<<"$models" || true)"
        if [ -n "$model" ]; then
            printf '%s\n' -m "$model"
            return 0
        fi
    done
    local file
    for file in /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd; do
        if [ -r "$file" ]; then
            printf '%s\n' -P "$file"
            return 0
        fi
    done
    return 1
}

# Make sure the queue exists, points at cups-pdf, is enabled and accepts
# jobs.  It is never made the system default printer.
kv_cups_queue() {
    if ! lpstat -v "$KV_QUEUE" 2>/dev/null | grep -q 'cups-pdf:/'; then
        local ppd_args=() err
        mapfile -t ppd_args < <(kv_cups_pdf_ppd_args) || true
        [ "${#ppd_args[@]}" -eq 2 ] || return 1
        kv_say "adding printer $KV_QUEUE: lpadmin -p $KV_QUEUE -E -v cups-pdf:/ ${ppd_args[*]}"
        # lpadmin warns that printer drivers are deprecated; that is expected.
        if ! err="$(kv_as_root lpadmin -p "$KV_QUEUE" -E -v cups-pdf:/ "${ppd_args[@]}" </dev/null 2>&1)"; then
            printf '%s\n' "$err" >&2
            return 1
        fi
        [ -z "$err" ] || grep -v -i 'deprecated' <<<"$err" >&2 || true
    fi
    # A queue left stopped (or holding old jobs) by an earlier run would
    # hold up the tests.
    kv_as_root cancel -a "$KV_QUEUE" </dev/null >/dev/null 2>&1 || true
    kv_as_root cupsenable "$KV_QUEUE" </dev/null >/dev/null 2>&1 || return 1
    kv_as_root cupsaccept "$KV_QUEUE" </dev/null >/dev/null 2>&1 || return 1
    lpstat -a "$KV_QUEUE" 2>/dev/null | grep -q 'accepting'
}

# Value of a key in cups-pdf.conf (last one wins), or the given default.
kv_cups_pdf_conf_value() {
    local key="$1" fallback="$2" value=""
    if [ -r "$KV_CUPS_PDF_CONF" ]; then
        value="$(sed -n "s/^[[:space:]]*${key}[[:space:]]\{1,\}//p" "$KV_CUPS_PDF_CONF" | tail -n1)"
        value="${value%"${value##*[![:space:]]}"}"   # trailing blanks
    fi
    printf '%s\n' "${value:-$fallback}"
}

# The folder cups-pdf writes to for jobs that we submit, as configured.
kv_cups_pdf_out_dir() {
    local user home out
    user="$(id -un)"
    home="$(getent passwd "$user" | cut -d: -f6)"
    home="${home:-$HOME}"
    # cups-pdf itself expands ${HOME} and ${USER}: they are literal here.
    # shellcheck disable=SC2016
    out="$(kv_cups_pdf_conf_value Out '/var/spool/cups-pdf/${USER}')"
    # shellcheck disable=SC2016
    out="${out//'${HOME}'/$home}"
    # shellcheck disable=SC2016
    out="${out//'${USER}'/$user}"
    printf '%s\n' "${out%/}"
}

# Print a small text file and wait for its PDF.  On success print the
# folder it appeared in (the probe PDF itself is removed).
kv_cups_probe() {
    local out anon marker text request found="" dir i done_for=0
    out="$(kv_cups_pdf_out_dir)"
    anon="$(kv_cups_pdf_conf_value AnonDirName /var/spool/cups-pdf/ANONYMOUS)"
    marker="$(mktemp)"
    text="$(mktemp --suffix=.txt)"
    printf 'ネムリカ kelvane CUPS probe %s\n' "$(date)" >"$text"
    if ! request="$(lp -d "$KV_QUEUE" -t kelvane-probe "$text" </dev/null 2>&1)"; then
        rm -f "$marker" "$text"
        return 1
    fi
    request="$(sed -n 's/^request id is \([^ ]*\).*/\1/p' <<<"$request")"
    for ((i = 0; i < KV_PROBE_WAIT_SECONDS * 2 && done_for < 6; i++)); do
        sleep 0.5
        for dir in "$out" "$anon"; do
            [ -d "$dir" ] || continue
            found="$(find "$dir" -maxdepth 1 -name '*.pdf' -newer "$marker" -print -quit 2>/dev/null)"
            [ -n "$found" ] && break 2
        done
        # Once the job has left the queue, give cups-pdf 3 s more.
        if [ -n "$request" ] && ! lpstat -o "$KV_QUEUE" 2>/dev/null | grep -q "^$request "; then
            done_for=$((done_for + 1))
        fi
    done
    rm -f "$marker" "$text"
    [ -n "$found" ] || return 1
    rm -f "$found"
    dirname "$found"
}

# One line for every way the set-up can fail.
kv_cups_unavailable() {
    kv_warn "$*: the real printing tests fail when CI is set, and skip otherwise"
}

kv_cups_setup() {
    unset KELVANE_CUPS_PDF_DIR
    # Left over from an earlier set-up in this shell; a PRINTER of the
    # user's own is kept.
    [ "${PRINTER:-}" != "$KV_QUEUE" ] || unset PRINTER
    if ! command -v lpstat >/dev/null 2>&1; then
        kv_cups_unavailable "CUPS is not installed"
        return 0
    fi
    if ! kv_cups_start; then
        kv_cups_unavailable "CUPS could not be started (see ${TMPDIR:-/tmp}/kelvane-cupsd-start.log)"
        return 0
    fi
    if ! kv_cups_queue; then
        kv_cups_unavailable "the cups-pdf printer $KV_QUEUE could not be set up"
        return 0
    fi
    local dir
    if ! dir="$(kv_cups_probe)"; then
        kv_cups_unavailable "a probe page sent to $KV_QUEUE gave no PDF in $(kv_cups_pdf_out_dir)"
        return 0
    fi
    export KELVANE_CUPS_PDF_DIR="$dir"
    # CUPS takes PRINTER as the default destination of this run only, so
    # the tests print on the PDF queue without changing the machine's
    # default printer.
    export PRINTER="$KV_QUEUE"
    kv_say "CUPS is running; printer $KV_QUEUE writes PDFs to $KELVANE_CUPS_PDF_DIR"
}
