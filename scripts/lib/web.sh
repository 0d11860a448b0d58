# shellcheck shell=bash
# Sourced by the scripts that build, check or time the web build
# (scripts/build-web.sh, tests/web/web-e2e.sh, bench/web.sh).
lurkfield_web_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# npm_ci_locked FROM_DIR NPM_DIR LOG: the node packages of FROM_DIR's package.json,
# as its committed package-lock.json pins them, in NPM_DIR/node_modules; installed
# again only when the lock file changed since. npm's output is added to LOG.
# Returns non-zero when npm ci fails.
npm_ci_locked() {
    local from=$1 npm_dir=$2 log=$3
    if ! cmp -s "$from/package-lock.json" "$npm_dir/package-lock.json" || [[ ! -d $npm_dir/node_modules ]]; then
        rm -rf "$npm_dir"
        mkdir -p "$npm_dir"
        cp "$from/package.json" "$from/package-lock.json" "$npm_dir/"
        (cd "$npm_dir" && npm ci --no-audit --no-fund --loglevel=error) >>"$log" 2>&1 || return 1
    fi
}

# serve_site SITE_DIR LOG: web/serve.js serving the site on a free port of 127.0.0.1,
# in the background, its output in LOG; sets $server_pid, and $site_url once the
# server listens. Prints LOG and returns non-zero when it has not started within 10 s.
serve_site() {
    local site=$1 log=$2 deadline=$((SECONDS + 10))
    node "$lurkfield_web_root/web/serve.js" "$site" 0 >"$log" 2>&1 &
    server_pid=$!
    until grep -q '^serving ' "$log"; do
        if ((SECONDS >= deadline)) || ! kill -0 "$server_pid" 2>/dev/null; then
            cat "$log" >&2
            return 1
        fi
        sleep 0.1
    done
    # shellcheck disable=SC2034 # for the caller
    site_url=$(sed -n 's/^serving //p' "$log")
}
