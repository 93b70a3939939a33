#include "core/join_offer.h"

namespace Vexo {

JoinOfferSeam JoinOffer;

}  // namespace Vexo
