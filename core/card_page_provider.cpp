#include "core/card_page_provider.h"

namespace tarix::core {

namespace {
std::unique_ptr<CardPageProvider> &pieceWork()
{
    static std::unique_ptr<CardPageProvider> provider;
    return provider;
}
} // namespace

CardPageProvider *pieceWorkPage() { return pieceWork().get(); }

void registerPieceWorkPage(std::unique_ptr<CardPageProvider> provider) { pieceWork() = std::move(provider); }

} // namespace tarix::core
