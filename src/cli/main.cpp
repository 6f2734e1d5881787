// tessaray-cli: the analysis engine without windows.
#include "cli/commands.h"
#include "core/app/version_code.h"

#include <cstdio>

int main(int argc, char** argv) {
    CLI::App app{"Tessaray: checks that partner pages really link to your site.", "tessaray-cli"};
    app.require_subcommand(1);
    app.set_version_flag("--version", tessaray::VersionLine("tessaray-cli"));
    int exitCode = 0;
    tessaray::cli::RegisterFetch(app, exitCode);
    tessaray::cli::RegisterScan(app, exitCode);
    tessaray::cli::RegisterProject(app, exitCode);
    tessaray::cli::RegisterAnalyze(app, exitCode);
    tessaray::cli::RegisterHistory(app, exitCode);
    tessaray::cli::RegisterSchedule(app, exitCode);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::fprintf(stderr, "tessaray-cli: %s\n", e.what());
        return tessaray::cli::kExitUsage;
    }
    return exitCode;
}
